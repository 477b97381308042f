#include "ct_pro/text_fit.h"

#include <gtest/gtest.h>

#include "platform_text.h"

#include <string>
#include <tuple>
#include <vector>

namespace corrivex::ctpro {
namespace {

using Lines = std::vector<std::string>;

TEST(TextFit, CutRightKeepsTheHeadAndMarksTheCut) {
    EXPECT_EQ(cutRight("ALPHA", 5), "ALPHA");
    EXPECT_EQ(cutRight("ALPHABET", 7), "ALPH...");
    EXPECT_EQ(cutRight("ALPHABET", 3), "ALP");
    EXPECT_EQ(cutRight("ALPHABET", 0), "");
    EXPECT_EQ(cutRight("ALPHABET", -4), "");
}

TEST(TextFit, CutLeftKeepsTheTailAndMarksTheCut) {
    EXPECT_EQ(cutLeft("C:\\A\\B", 6), "C:\\A\\B");
    EXPECT_EQ(cutLeft("C:\\COURSE\\2024", 10), "...SE\\2024");
    EXPECT_EQ(cutLeft("C:\\COURSE", 2), "SE");
}

TEST(TextFit, WrapBreaksAtBlanksAndInsideLongWords) {
    EXPECT_EQ(wrapText("Yes to edit batchs.ini, no to exit", 12, 10),
              (Lines{"Yes to edit", "batchs.ini,", "no to exit"}));
    EXPECT_EQ(wrapText("abcdefghij xy", 4, 10), (Lines{"abcd", "efgh", "ij", "xy"}));
    EXPECT_EQ(wrapText("one\r\ntwo\n\nthree", 20, 10), (Lines{"one", "two", "", "three"}));
    EXPECT_EQ(wrapText("", 20, 10), (Lines{""}));
}

TEST(TextFit, WrapMarksTextThatDoesNotFitTheLines) {
    EXPECT_EQ(wrapText("aaa bbb ccc ddd", 7, 2), (Lines{"aaa bbb", "ccc ddd"}));
    EXPECT_EQ(wrapText("aaa bbb ccc ddd eee", 7, 2), (Lines{"aaa bbb", "ccc..."}));
    EXPECT_EQ(wrapText("aaa bbbbbbb ccc", 7, 2), (Lines{"aaa", "bbbb..."}));
    EXPECT_EQ(wrapText("one\ntwo\nthree", 10, 2), (Lines{"one", "two..."}));
}

#ifndef _WIN32
// On a UTF-8 terminal widths are columns: a name is cut between
// characters, never inside one, and a double-width character counts two.
TEST(TextFit, Utf8TextIsCutByColumnsBetweenCharacters) {
    const std::string name = "\xC3\x84RGER\xE4\xB8\xAD\xE6\x96\x87";  // ÄRGER中文, 9 columns
    EXPECT_EQ(columnsOf(name), 9);
    EXPECT_EQ(cutRight(name, 9), name);
    EXPECT_EQ(cutRight(name, 8), "\xC3\x84RGER...");  // 中 would take columns 6 and 7 of 5
    EXPECT_EQ(cutRight(name, 4), "\xC3\x84...");
    EXPECT_EQ(cutRight(name, 2), "\xC3\x84R");
    EXPECT_EQ(cutLeft(name, 7), "...\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(cutLeft(name, 6), "...\xE6\x96\x87");
    EXPECT_EQ(wrapText("\xC3\xA4\xC3\xA4 \xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD", 4, 9),
              (std::vector<std::string>{"\xC3\xA4\xC3\xA4", "\xE4\xB8\xAD\xE4\xB8\xAD", "\xE4\xB8\xAD"}));
}
#endif

// Names in the system's ANSI code page on Windows, in UTF-8 on POSIX, cut to
// 7 columns between characters; a row the code page cannot spell is passed
// over. How names show and fold is checked by TeacherNames.
TEST(TextFit, NamesShowAsTheirCharacters) {
    if (const std::string other = corrivex::testing::codePageNotAsked(); !other.empty()) GTEST_SKIP() << other;
    int tried = 0;
    for (const auto& [name, columns, cut7] : {std::tuple{"caf\u00E9 au lait", 12, "caf\u00E9..."},
                                              std::tuple{"\u6570\u5B66\u30C6\u30B9\u30C8", 10, "\u6570\u5B66..."}}) {
        const auto text = corrivex::testing::platformText(name);
        if (!text) continue;
        ++tried;
        EXPECT_EQ(columnsOf(*text), columns) << name;
        EXPECT_EQ(cutRight(*text, 7), corrivex::testing::platformText(cut7)) << name;
    }
    EXPECT_GT(tried, 0);
}

TEST(TextFit, ShownBytesAndCaseFolding) {
    EXPECT_EQ(shownByte('A'), 'A');
    EXPECT_EQ(shownByte(0), '?');
    EXPECT_EQ(shownByte('\t'), '?');
    EXPECT_EQ(shownByte(0x7F), '?');
    EXPECT_EQ(shownByte(0xC4), 0xC4);
    EXPECT_EQ(shownFolded("Quiz[\t"), shownFolded("qUIZ[?"));  // a control byte shows as '?'
    EXPECT_NE(shownFolded("Quiz"), shownFolded("Quis"));
}

}  // namespace
}  // namespace corrivex::ctpro
