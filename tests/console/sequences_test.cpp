// The fixed console sequences of the run, on a memory console.
#include <gtest/gtest.h>

#include <string>

#include "console/console_output.h"
#include "console/console_state.h"
#include "console/sequences.h"
#include "console_fixture.h"

namespace corrivex::console {
namespace {

using platform::CellPos;
using platform::CellRect;

class SequencesTest : public MemoryConsoleTest {
protected:
    SequencesTest() : MemoryConsoleTest(CellPos{120, 40}) {}
};

TEST_F(SequencesTest, FirstScreenIsYellowOnGreenWithMouseInput) {
    host.fillCharacter('x', 120 * 40, CellPos{0, 0});
    showFirstScreen();
    EXPECT_EQ(host.currentInputMode(), 0x10u);
    EXPECT_EQ(host.textAttribute(), 0x2E);
    EXPECT_EQ(host.at(0, 0).attr, 0x2E);
    EXPECT_EQ(host.at(119, 39).attr, 0x2E);
    EXPECT_EQ(host.at(119, 39).ch, ' ');
}

TEST_F(SequencesTest, SelectionWindowIsEightyByThirtyBlackOnBrightWhite) {
    showFirstScreen();
    showSelectionWindow();
    EXPECT_EQ(host.size(), (CellPos{80, 30}));
    EXPECT_EQ(host.window(), (CellRect{0, 0, 79, 29}));
    EXPECT_EQ(host.title(), "Select files for statistical detection");
    EXPECT_EQ(host.textAttribute(), 0xF0);
    for (int y = 0; y < 30; ++y) {
        EXPECT_EQ(host.rowText(y), std::string(80, ' ')) << y;
        EXPECT_EQ(host.at(0, y).attr, 0xF0) << y;
        EXPECT_EQ(host.at(79, y).attr, 0xF0) << y;
    }
    EXPECT_EQ(host.cursor(), (CellPos{0, 0}));
    EXPECT_EQ(host.currentInputMode(), 0x10u);
}

// A pseudoconsole (Windows Terminal) keeps the terminal's size.
TEST_F(SequencesTest, SelectionWindowKeepsTheSizeOfAPseudoconsole) {
    host.pseudoconsole = true;
    showSelectionWindow();
    EXPECT_EQ(host.size(), (CellPos{120, 40}));
    EXPECT_EQ(host.window(), (CellRect{0, 0, 119, 39}));
}

TEST_F(SequencesTest, InstructionsStartInColumn36OnRows3And4InLightMagenta) {
    showSelectionWindow();
    printInstructions();
    const std::string first = "Make simultaneous choices ";
    const std::string second = "with <ctrl> click, then press OK";
    EXPECT_EQ(host.rowText(2), std::string(35, ' ') + first + std::string(80 - 35 - first.size(), ' '));
    EXPECT_EQ(host.rowText(3), std::string(35, ' ') + second + std::string(80 - 35 - second.size(), ' '));
    EXPECT_EQ(host.at(35, 2).attr, 0xFD);
    EXPECT_EQ(host.at(35, 3).attr, 0xFD);
    EXPECT_EQ(host.textAttribute(), 0xFD);
    EXPECT_EQ(host.cursor(), (CellPos{0, 4}));
}

TEST_F(SequencesTest, InstructionsMoveDownBelowTheWarningLine) {
    showSelectionWindow();
    setTextColors(12, -1);
    printLine("There are no .txt or .dat files in this directory!!");
    setTextColors(0, -1);
    printLine("");
    printInstructions();
    EXPECT_EQ(host.at(0, 0).attr, 0xFC);
    EXPECT_EQ(host.rowText(4).substr(35, 26), "Make simultaneous choices ");
    EXPECT_EQ(host.rowText(5).substr(35, 32), "with <ctrl> click, then press OK");
    EXPECT_EQ(host.at(35, 5).attr, 0xFD);
}

}  // namespace
}  // namespace corrivex::console
