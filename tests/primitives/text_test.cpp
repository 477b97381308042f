// Texts: replaceAll, the trims, substring, joining and equality, with NUL
// bytes as ordinary bytes.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace corrivex
