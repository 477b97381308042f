// Texts: replaceAll, the trims, substring, joining and equality, with NUL
// bytes as ordinary bytes; the split of a command line and the upper-casing
// of names.
#include <gtest/gtest.h>

#include "primitives/command_line.h"
#include "primitives/letter_case.h"
#include "primitives/text.h"

namespace corrivex {
namespace {

using namespace std::string_literals;

TEST(ReplaceAll, OnePassOfPairsTurnsFourBackslashesIntoTwoAndThenOne) {
    const Text four = "C:\\\\\\\\dir";
    const Text once = replaceAll(four, "\\\\", "\\");
    EXPECT_EQ(once, "C:\\\\dir");
    EXPECT_EQ(replaceAll(once, "\\\\", "\\"), "C:\\dir");
}

TEST(ReplaceAll, ThreeBackslashesBecomeTwo) { EXPECT_EQ(replaceAll("a\\\\\\b", "\\\\", "\\"), "a\\\\b"); }

TEST(ReplaceAll, PathWithoutDoubledBackslashStaysAsItIs) {
    EXPECT_EQ(replaceAll("C:\\work\\dir", "\\\\", "\\"), "C:\\work\\dir");
    EXPECT_EQ(replaceAll("C:\\", "\\\\", "\\"), "C:\\");
}

TEST(ReplaceAll, OccurrencesDoNotOverlapAndReplacedTextIsNotScannedAgain) {
    EXPECT_EQ(replaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(replaceAll("abab", "ab", "ba"), "baba");
}

TEST(ReplaceAll, EveryOccurrenceIsReplacedIncludingAtBothEnds) {
    EXPECT_EQ(replaceAll("xaxbx", "x", "--"), "--a--b--");
    EXPECT_EQ(replaceAll("x", "x", ""), "");
}

TEST(ReplaceAll, ComparesBytesWithLetterCase) { EXPECT_EQ(replaceAll("Yy", "y", "n"), "Yn"); }

TEST(ReplaceAll, EmptyOrTooLongSearchLeavesTheTextUnchanged) {
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAll("abc", "abcd", "x"), "abc");
    EXPECT_EQ(replaceAll("", "a", "x"), "");
}

TEST(ReplaceAll, NulBytesAreOrdinaryBytes) {
    const Text text = "a\0b\0c"s;
    EXPECT_EQ(replaceAll(text, "\0"s, "-"), "a-b-c");
    EXPECT_EQ(replaceAll("a-b", "-", "\0\0"s), "a\0\0b"s);
    EXPECT_EQ(replaceAll("x\0y"s, "x", "z"), "z\0y"s);
}

TEST(Trim, KeepsTabsAndRemovesOnlyBlanks) {
    EXPECT_EQ(trim("\t "), "\t");
    EXPECT_EQ(trim(" \t"), "\t");
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_EQ(trim("\ta\t"), "\ta\t");
}

TEST(Trim, LeftAndRightWorkOnTheirOwnSide) {
    EXPECT_EQ(trimLeft("  a  "), "a  ");
    EXPECT_EQ(trimRight("  a  "), "  a");
    EXPECT_EQ(trimLeft("a"), "a");
    EXPECT_EQ(trimRight("a"), "a");
}

TEST(Trim, BlanksOnlyAndEmptyGiveEmpty) {
    EXPECT_EQ(trim("    "), "");
    EXPECT_EQ(trimLeft("   "), "");
    EXPECT_EQ(trimRight("   "), "");
    EXPECT_EQ(trim(""), "");
}

TEST(Trim, NulIsNotABlank) {
    EXPECT_EQ(trim(" \0 "s), "\0"s);
    EXPECT_EQ(trimRight("a\0"s), "a\0"s);
}

TEST(Substring, FirstCharacterOrEmpty) {
    EXPECT_EQ(substring("", 1, 1), "");
    EXPECT_EQ(substring("yes", 1, 1), "y");
    EXPECT_EQ(substring("Y", 1, 1), "Y");
}

TEST(Substring, StartAndCountFromOne) {
    EXPECT_EQ(substring("abcdef", 2, 3), "bcd");
    EXPECT_EQ(substring("abcdef", 6, 1), "f");
    EXPECT_EQ(substring("abcdef", 4, 100), "def");
}

TEST(Substring, StartOfZeroOrBeyondTheEndGivesEmpty) {
    EXPECT_EQ(substring("abc", 0, 2), "");
    EXPECT_EQ(substring("abc", 4, 1), "");
    EXPECT_EQ(substring("abc", 1000, 1), "");
}

TEST(Substring, NegativeStartCountsFromTheEnd) {
    EXPECT_EQ(substring("abc", -1, 1), "c");
    EXPECT_EQ(substring("abc", -3, 2), "ab");
    EXPECT_EQ(substring("abc", -4, 1), "");
}

TEST(Substring, CountOfZeroOrLessGivesEmpty) {
    EXPECT_EQ(substring("abc", 1, 0), "");
    EXPECT_EQ(substring("abc", 1, -1), "");
}

TEST(Substring, NulBytesCount) {
    EXPECT_EQ(substring("a\0b"s, 2, 1), "\0"s);
    EXPECT_EQ(substring("a\0b"s, 2, 2), "\0b"s);
}

TEST(TextValues, EqualityIsSameLengthAndSameBytes) {
    EXPECT_NE(Text("a\0"s), Text("a"));
    EXPECT_EQ(Text("a\0b"s), Text("a\0b"s));
    EXPECT_NE(Text("Y"), Text("y"));
    EXPECT_EQ(Text("a\0"s) + Text("\0b"s), "a\0\0b"s);
    EXPECT_EQ((Text("a\0"s) + Text("\0b"s)).size(), 4u);
}

TEST(SplitCommandLine, TheProgramAndTheRestOfTheLineAsOneArgument) {
    struct Row {
        Text line;
        CommandParts parts;
    };
    const Row rows[] = {
        {"editor  /home/teacher/week 1/batchs.ini", {"editor", "/home/teacher/week 1/batchs.ini"}},
        {"Quelmark.exe   TWO WORDS", {"Quelmark.exe", "TWO WORDS"}},
        {"Quelmark.exe   X ", {"Quelmark.exe", "X "}},  // a name's own blanks stay
        {"  prog", {"prog", std::nullopt}},
        {"prog   ", {"prog", std::nullopt}},
        {"   ", {"", std::nullopt}},
        {"", {"", std::nullopt}},
        {"a\tb c", {"a\tb", "c"}},  // only blanks separate
    };
    for (const Row& row : rows) EXPECT_EQ(splitCommandLine(row.line), row.parts) << row.line;
}

#ifndef _WIN32
// Names are UTF-8 here: the seven letters in their two-byte forms, and no
// byte of any other character changes.
TEST(UpperCasedName, AsciiAndTheSevenLettersInUtf8) {
    EXPECT_EQ(upperCasedName("\xC3\xA4rger.txt"), "\xC3\x84RGER.TXT");  // ärger
    EXPECT_EQ(upperCasedName("\xC3\xB6\xC3\xBC\xC3\xA9\xC3\xB1\xC3\xA5\xC3\xA7"),
              "\xC3\x96\xC3\x9C\xC3\x89\xC3\x91\xC3\x85\xC3\x87");
    EXPECT_EQ(upperCasedName("\xC3\xBF\xC3\xA0\xE2\x82\xAC"), "\xC3\xBF\xC3\xA0\xE2\x82\xAC");  // ÿ à €
    EXPECT_EQ(upperCasedName("\xA4\xC3"), "\xA4\xC3");  // a stray second byte, a lone first byte
    EXPECT_EQ(upperCasedName("\x84rger"), "\x84RGER");  // the code page 437 letter is no letter here
    for (int value = 0x80; value < 0x100; ++value) {
        const Text lone(1, static_cast<char>(value));
        EXPECT_EQ(upperCasedName(lone), lone) << value;
    }
}
#endif

}  // namespace
}  // namespace corrivex
