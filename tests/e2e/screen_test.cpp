// Reading capture-pane output into cells, and matching terminal colours
// with Windows console colours.
#include <gtest/gtest.h>

#include "screen.h"
#include "tmux_session.h"

namespace corrivex::e2e {
namespace {

TEST(ColourNumbers, WindowsAndAnsiOrderSwapRedAndBlue) {
    EXPECT_EQ(ansiFromWindows(1), 4);    // blue
    EXPECT_EQ(ansiFromWindows(2), 2);    // green
    EXPECT_EQ(ansiFromWindows(4), 1);    // red
    EXPECT_EQ(ansiFromWindows(6), 3);    // brown is ANSI yellow
    EXPECT_EQ(ansiFromWindows(12), 9);   // light red
    EXPECT_EQ(ansiFromWindows(13), 13);  // light magenta
    EXPECT_EQ(ansiFromWindows(14), 11);  // yellow
    for (int c = 0; c < 16; ++c) EXPECT_EQ(windowsFromAnsi(ansiFromWindows(c)), c);
}

TEST(ParseCapture, BasicAndBrightColours) {
    const Screen s = parseCapture("\033[93m\033[42mAB\033[39m\033[49mC\033[30m\033[107mD", 10, 2);
    EXPECT_EQ(windowsAttribute(s.cell(1, 1)), 0x2E);
    EXPECT_EQ(windowsAttribute(s.cell(2, 1)), 0x2E);
    EXPECT_EQ(windowsAttribute(s.cell(3, 1)), 0x07);
    EXPECT_EQ(windowsAttribute(s.cell(4, 1)), 0xF0);
    EXPECT_EQ(s.cell(4, 1).glyph, "D");
}

TEST(ParseCapture, CombinedParametersAndReset) {
    const Screen s = parseCapture("\033[1;35;47mA\033[0mB\033[95;107mC", 5, 1);
    EXPECT_EQ(windowsAttribute(s.cell(1, 1)), 0x7D);  // bold magenta counts as light magenta
    EXPECT_EQ(windowsAttribute(s.cell(2, 1)), 0x07);
    EXPECT_FALSE(s.cell(2, 1).bold);
    EXPECT_EQ(windowsAttribute(s.cell(3, 1)), 0xFD);
}

TEST(ParseCapture, BoldDoesNotBrightenBackgroundOrBrightColours) {
    const Screen s = parseCapture("\033[1;92;41mA\033[22mB", 5, 1);
    EXPECT_EQ(windowsForeground(s.cell(1, 1)), 10);
    EXPECT_EQ(windowsBackground(s.cell(1, 1)), 4);
    EXPECT_FALSE(s.cell(2, 1).bold);
}

TEST(ParseCapture, ReverseVideoSwapsColours) {
    const Screen s = parseCapture("\033[30;107m\033[7mA\033[27mB", 5, 1);
    EXPECT_EQ(windowsAttribute(s.cell(1, 1)), 0x0F);
    EXPECT_EQ(windowsAttribute(s.cell(2, 1)), 0xF0);
}

TEST(ParseCapture, IndexedAndTrueColours) {
    const Screen s = parseCapture(
        "\033[38;5;12m\033[48;5;2mA\033[38;5;196mB\033[38;2;242;242;242m\033[48;2;19;161;14mC\033[38:2::0:0:128mD", 6,
        1);
    EXPECT_EQ(windowsAttribute(s.cell(1, 1)), 0x29);  // 256-colour 12 is ANSI bright blue
    EXPECT_EQ(windowsForeground(s.cell(2, 1)), 12);   // xterm red 196 is nearest light red
    EXPECT_EQ(windowsAttribute(s.cell(3, 1)), 0x2F);  // the Campbell palette
    EXPECT_EQ(windowsForeground(s.cell(4, 1)), 1);    // colon form, classic blue
}

TEST(ParseCapture, ColourStateRunsOnAcrossLines) {
    const Screen s = parseCapture("\033[97;44mA\nB\n", 3, 3);
    EXPECT_EQ(windowsAttribute(s.cell(1, 2)), 0x1F);
    EXPECT_EQ(s.cell(1, 2).glyph, "B");
    // Beyond what the capture reached: blank default cells.
    EXPECT_EQ(windowsAttribute(s.cell(2, 2)), 0x07);
    EXPECT_EQ(s.cell(1, 3).glyph, " ");
}

TEST(ParseCapture, Utf8GlyphsTakeOneCellEach) {
    const Screen s = parseCapture("\xc3\xa9t\xc3\xa9 \xe2\x94\x80X", 10, 1);
    EXPECT_EQ(s.cell(1, 1).glyph, "\xc3\xa9");
    EXPECT_EQ(s.cell(5, 1).glyph, "\xe2\x94\x80");
    EXPECT_EQ(s.cell(6, 1).glyph, "X");
    const auto pos = s.find("X");
    ASSERT_TRUE(pos.has_value());
    EXPECT_EQ(pos->column, 6);
    EXPECT_EQ(s.textAt(4, 1, 3), " \xe2\x94\x80X");
}

TEST(ParseCapture, CombiningMarkJoinsItsBase) {
    const Screen s = parseCapture("e\xcc\x81Z", 5, 1);
    EXPECT_EQ(s.cell(1, 1).glyph, "e\xcc\x81");
    EXPECT_EQ(s.cell(2, 1).glyph, "Z");
}

TEST(ParseCapture, SkipsOtherEscapeSequences) {
    const Screen s = parseCapture("\033]8;;http://x\033\\A\033]0;t\007B\033[2KC", 5, 1);
    EXPECT_EQ(s.rowText(1), "ABC  ");
}

TEST(ParseCapture, DropsWhatLiesOutsideTheScreen) {
    const Screen s = parseCapture("ABCDEF\n1\n2\n3", 4, 2);
    EXPECT_EQ(s.rowText(1), "ABCD");
    EXPECT_EQ(s.rowText(2), "1   ");
    EXPECT_FALSE(s.contains("EF"));
    EXPECT_FALSE(s.contains("2"));
}

TEST(ScreenQueries, FindAndText) {
    const Screen s = parseCapture("\n   Make simultaneous choices \n", 40, 3);
    const auto pos = s.find("Make simultaneous choices");
    ASSERT_TRUE(pos.has_value());
    EXPECT_EQ(*pos, (ScreenPos{4, 2}));
    EXPECT_FALSE(s.find("Make  simultaneous").has_value());
    EXPECT_FALSE(s.find("").has_value());
    EXPECT_EQ(s.text(), "\n   Make simultaneous choices\n");
}

TEST(ScreenQueries, CellOutsideIsBlankDefault) {
    const Screen s = parseCapture("\033[41mAB", 2, 1);
    EXPECT_EQ(s.cell(0, 1).glyph, " ");
    EXPECT_EQ(windowsAttribute(s.cell(3, 1)), 0x07);
    EXPECT_EQ(windowsAttribute(s.cell(1, 2)), 0x07);
}

TEST(ScreenQueries, AttributeCountsAndDescription) {
    const Screen s = parseCapture("\033[30;107mAB\033[95mC", 3, 1);
    EXPECT_FALSE(s.allCellsHaveAttribute(0xF0));
    EXPECT_EQ(s.count([](const ScreenCell& c) { return windowsAttribute(c) == 0xF0; }), 2);
    EXPECT_TRUE(parseCapture("\033[30;107mAB", 2, 1).allCellsHaveAttribute(0xF0));
    const std::string description = s.describe();
    EXPECT_NE(description.find("|ABC|"), std::string::npos) << description;
    EXPECT_NE(description.find("F0..FD"), std::string::npos) << description;
}

TEST(SttyFlags, OnOffAndMissing) {
    const std::string stty =
        "speed 38400 baud; rows 30; columns 80;\n-parenb -parodd cs8\nisig icanon iexten echo echoe -echonl\n"
        "opost -olcuc\n";
    EXPECT_TRUE(sttyFlagOn(stty, "echo"));
    EXPECT_TRUE(sttyFlagOn(stty, "icanon"));
    EXPECT_FALSE(sttyFlagOn(stty, "echonl"));
    EXPECT_FALSE(sttyFlagOn(stty, "parenb"));
    EXPECT_FALSE(sttyFlagOn(stty, "ixany"));
    EXPECT_FALSE(sttyFlagOn("-echo icanon", "echo"));
}

}  // namespace
}  // namespace corrivex::e2e
