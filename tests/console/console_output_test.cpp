// The console operations on a memory console.
#include <gtest/gtest.h>

#include <string>

#include "console/console_output.h"
#include "console/console_state.h"
#include "console_fixture.h"

namespace corrivex::console {
namespace {

using platform::Cell;
using platform::CellPos;
using platform::CellRect;

class ConsoleOutputTest : public MemoryConsoleTest {
protected:
    ConsoleOutputTest() : MemoryConsoleTest(CellPos{80, 25}) {}
};

TEST_F(ConsoleOutputTest, ColoursCombineIntoTheAttributeAndOutOfRangeKeepsTheOld) {
    setTextColors(14, 2);
    EXPECT_EQ(host.textAttribute(), 0x2E);
    setTextColors(0, 15);
    EXPECT_EQ(host.textAttribute(), 0xF0);
    setTextColors(12, -1);
    EXPECT_EQ(host.textAttribute(), 0xFC);
    setTextColors(13, -1);
    EXPECT_EQ(host.textAttribute(), 0xFD);
    setTextColors(16, 3);
    EXPECT_EQ(host.textAttribute(), 0x3D);
    EXPECT_EQ(consoleState().foreground, 13);
    EXPECT_EQ(consoleState().background, 3);
}

TEST_F(ConsoleOutputTest, SettingColoursChangesNoCellOnTheScreen) {
    host.fillAttribute(0x07, 80 * 25, CellPos{0, 0});
    setTextColors(14, 2);
    EXPECT_EQ(host.at(0, 0).attr, 0x07);
    EXPECT_EQ(host.at(79, 24).attr, 0x07);
}

TEST_F(ConsoleOutputTest, ClearScreenPaintsEveryCellOfTheBufferAlsoOutsideTheWindow) {
    host.setBufferSize(CellPos{120, 300});
    host.setWindow(CellRect{0, 0, 79, 24});
    host.fillCharacter('x', 120 * 300, CellPos{0, 0});
    host.setCursorPosition(CellPos{50, 200});
    consoleState().pendingScroll = true;
    setTextColors(14, 2);
    clearScreen();
    for (int y : {0, 24, 25, 299})
        for (int x : {0, 79, 80, 119}) {
            EXPECT_EQ(host.at(x, y).ch, ' ') << x << "," << y;
            EXPECT_EQ(host.at(x, y).attr, 0x2E) << x << "," << y;
        }
    EXPECT_EQ(host.cursor(), (CellPos{0, 0}));
    EXPECT_FALSE(consoleState().pendingScroll);
}

TEST_F(ConsoleOutputTest, ClearScreenKeepsTheCursorVisibilityItFound) {
    clearScreen();
    EXPECT_TRUE(host.currentCursorInfo().visible);
    host.setCursorInfo(platform::CursorInfo{25, false});
    clearScreen();
    EXPECT_FALSE(host.currentCursorInfo().visible);
}

TEST_F(ConsoleOutputTest, EmptyLineChangesNoCellAndMovesToTheNextRow) {
    host.setCursorPosition(CellPos{7, 3});
    const Cell before = host.at(7, 3);
    printLine("");
    EXPECT_EQ(host.at(7, 3), before);
    EXPECT_EQ(host.cursor(), (CellPos{0, 4}));
}

TEST_F(ConsoleOutputTest, LineIsWrittenInTheCurrentColoursWithoutInterpretingBytes) {
    setTextColors(12, 15);
    printLine(std::string("a\tb\r\nc\0d", 8));
    const std::u32string expected(U"a○b♪◙c d", 8);  // their code page 437 glyphs, on either console
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(host.at(x, 0).ch, expected[x]) << x;
        EXPECT_EQ(host.at(x, 0).attr, 0xFC) << x;
    }
    EXPECT_EQ(host.cursor(), (CellPos{0, 1}));
}

#ifndef _WIN32
// The terminal console takes text as UTF-8: a character a cell, two for a
// double-width one, which goes whole to the next row when it does not fit.
TEST_F(ConsoleOutputTest, Utf8TextTakesACellPerCharacterAndTwoForAWideOne) {
    setTextColors(7, 0);
    host.setCursorPosition(CellPos{77, 0});
    printLine("\xC3\xA9\xC3\x84\xE4\xB8\xAD");  // é Ä 中
    EXPECT_EQ(host.at(77, 0).ch, U'é');
    EXPECT_EQ(host.at(78, 0).ch, U'Ä');
    EXPECT_EQ(host.at(79, 0).ch, U' ');
    EXPECT_EQ(host.at(0, 1), (Cell{U'中', 0x0107}));
    EXPECT_EQ(host.at(1, 1), (Cell{U'中', 0x0207}));
    EXPECT_EQ(host.cursor(), (CellPos{0, 2}));
}
#endif

TEST_F(ConsoleOutputTest, EightyByteLineLeavesOneEmptyRowBehindIt) {
    printLine(std::string(80, 'x'));
    EXPECT_EQ(host.rowText(0), std::string(80, 'x'));
    EXPECT_EQ(host.rowText(1), std::string(80, ' '));
    EXPECT_EQ(host.cursor(), (CellPos{0, 2}));
}

TEST_F(ConsoleOutputTest, LongLineContinuesOnTheNextRow) {
    host.setCursorPosition(CellPos{75, 2});
    printLine("0123456789");
    EXPECT_EQ(host.rowText(2).substr(75), "01234");
    EXPECT_EQ(host.rowText(3).substr(0, 6), "56789 ");
    EXPECT_EQ(host.cursor(), (CellPos{0, 4}));
}

TEST_F(ConsoleOutputTest, LineEndOnTheBottomRowScrollsTheWholeBufferUp) {
    for (int y = 0; y < 25; ++y) host.fillCharacter(static_cast<unsigned char>('A' + y), 80, CellPos{0, y});
    setTextColors(0, 15);
    host.setCursorPosition(CellPos{0, 24});
    printLine("last");
    EXPECT_EQ(host.rowText(0), std::string(80, 'B'));
    EXPECT_EQ(host.rowText(22), std::string(80, 'X'));
    EXPECT_EQ(host.rowText(23).substr(0, 5), "lastY");
    EXPECT_EQ(host.rowText(24), std::string(80, ' '));
    EXPECT_EQ(host.at(0, 24).attr, 0xF0);
    EXPECT_EQ(host.cursor(), (CellPos{0, 24}));
}

TEST_F(ConsoleOutputTest, FullBottomRowScrollsOnlyWhenTheNextByteOrLineEndComes) {
    host.setCursorPosition(CellPos{70, 24});
    host.fillCharacter('r', 80, CellPos{0, 0});
    printLine(std::string(10, 'z'));
    // The write filled the row; its line end scrolled twice.
    EXPECT_EQ(host.rowText(22).substr(70), std::string(10, 'z'));
    EXPECT_EQ(host.rowText(23), std::string(80, ' '));
    EXPECT_EQ(host.rowText(24), std::string(80, ' '));
    EXPECT_FALSE(consoleState().pendingScroll);
    EXPECT_EQ(host.cursor(), (CellPos{0, 24}));
}

TEST_F(ConsoleOutputTest, TextRunningPastTheBottomRowScrollsBeforeItsNextByte) {
    host.setCursorPosition(CellPos{78, 24});
    printLine("abcd");
    // "ab" ended the bottom row; the screen scrolled before "cd", then the line end scrolled once more.
    EXPECT_EQ(host.rowText(22).substr(78), "ab");
    EXPECT_EQ(host.rowText(23).substr(0, 3), "cd ");
    EXPECT_EQ(host.rowText(24), std::string(80, ' '));
    EXPECT_EQ(host.cursor(), (CellPos{0, 24}));
}

TEST_F(ConsoleOutputTest, GrowingScreenGrowsTheBufferBeforeTheWindow) {
    setScreenSize(80, 30);
    EXPECT_EQ(host.size(), (CellPos{80, 30}));
    EXPECT_EQ(host.window(), (CellRect{0, 0, 79, 29}));
}

TEST_F(ConsoleOutputTest, ShrinkingScreenSetsTheWindowBeforeTheBuffer) {
    host.setBufferSize(CellPos{120, 300});
    host.setWindow(CellRect{0, 0, 119, 49});
    setScreenSize(80, 25);
    EXPECT_EQ(host.size(), (CellPos{80, 25}));
    EXPECT_EQ(host.window(), (CellRect{0, 0, 79, 24}));
}

TEST_F(ConsoleOutputTest, ScreenSizeAboveTheBoundChangesNothing) {
    setScreenSize(10000, 25);
    EXPECT_EQ(host.size(), (CellPos{80, 25}));
    setScreenSize(80, 10000);
    EXPECT_EQ(host.size(), (CellPos{80, 25}));
    EXPECT_EQ(host.window(), (CellRect{0, 0, 79, 24}));
}

TEST_F(ConsoleOutputTest, ScreenSizeTheDisplayCannotHoldKeepsWhatTheConsoleAccepted) {
    host.setMaximumWindow(CellPos{80, 25});
    setScreenSize(80, 30);
    // The buffer grew; the window could not, so the final shrink to 80 x 30 is all that took.
    EXPECT_EQ(host.size(), (CellPos{80, 30}));
    EXPECT_EQ(host.window(), (CellRect{0, 0, 79, 24}));
}

TEST_F(ConsoleOutputTest, MouseInputSwitchesEveryOtherInputFlagOff) {
    host.setInputMode(0x1F7);
    enableMouseInput();
    EXPECT_EQ(host.currentInputMode(), 0x10u);
}

TEST_F(ConsoleOutputTest, TitleEndsAtTheFirstNul) {
    setWindowTitle(std::string("Select\0rest", 11));
    EXPECT_EQ(host.title(), "Select");
}

TEST_F(ConsoleOutputTest, ProcessStartPreparesRawInputWrappedOutputAndAVisibleCursor) {
    host.setInputMode(0x1F7);
    host.setOutputMode(0);
    host.setCursorInfo(platform::CursorInfo{25, false});
    prepareConsole(host);
    // Every flag off but quick edit and insert mode, kept as found (0xE0).
    EXPECT_EQ(host.currentInputMode(), 0xE0u);
    EXPECT_EQ(host.currentOutputMode(), 0x3u);
    // A cursor of a real size is left as it is.
    EXPECT_FALSE(host.currentCursorInfo().visible);

    // Windows reports them only after a mode that set them: a dialog that
    // turns quick edit off and then puts back the mode it found turns it on.
    enableMouseInput();
    const auto found = host.currentInputMode();
    host.setInputMode(platform::mode::kExtendedFlags | platform::mode::kMouseInput);
    host.setInputMode(found);
    EXPECT_EQ(host.extendedFlags(), platform::mode::kQuickEdit | platform::mode::kInsert);
}

}  // namespace
}  // namespace corrivex::console
