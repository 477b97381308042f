// The console screens of a run, as the user sees them in a terminal: the
// yellow on green first screen with the batch-mode question, and the 80 x 30
// bright white selection screen with its title, warning and instructions.
// Each test runs the native program and the win32 program under Wine.
#include <gtest/gtest.h>

#include <string>

#include "program_test.h"
#include "start_directory.h"

namespace corrivex::e2e {
namespace {

constexpr int kYellowOnGreen = 0x2E;
constexpr int kBlackOnWhite = 0xF0;
constexpr int kLightRedOnWhite = 0xFC;
constexpr int kLightMagentaOnWhite = 0xFD;
constexpr int kBrightWhite = 15;

const std::string kSelectionTitle = "Select files for statistical detection";
const std::string kWarning = "There are no .txt or .dat files in this directory!!";
const std::string kFirstInstruction = "Make simultaneous choices ";
const std::string kSecondInstruction = "with <ctrl> click, then press OK";
constexpr int kInstructionColumn = 36;

bool showsInstructions(const Screen& screen) { return screen.contains(kSecondInstruction); }

// Columns [first, last] of a row all show `attr`; the failing column otherwise.
::testing::AssertionResult rowHasAttribute(const Screen& screen, int row, int first, int last, int attr) {
    for (int column = first; column <= last; ++column) {
        const int shown = windowsAttribute(screen.cell(column, row));
        if (shown != attr)
            return ::testing::AssertionFailure() << "row " << row << ", column " << column << " shows attribute "
                                                 << std::hex << shown << " instead of " << attr;
    }
    return ::testing::AssertionSuccess();
}

// The two instruction lines, from `row` on: 35 blanks and the words, all in
// light magenta on bright white; the rest of both rows untouched (black on
// bright white).
void expectInstructionsAt(const Screen& screen, int row) {
    EXPECT_EQ(screen.textAt(1, row, 35), std::string(35, ' '));
    EXPECT_EQ(screen.textAt(kInstructionColumn, row, static_cast<int>(kFirstInstruction.size())), kFirstInstruction);
    EXPECT_EQ(screen.textAt(kInstructionColumn, row + 1, static_cast<int>(kSecondInstruction.size())),
              kSecondInstruction);
    const int firstEnd = kInstructionColumn + static_cast<int>(kFirstInstruction.size()) - 1;
    const int secondEnd = kInstructionColumn + static_cast<int>(kSecondInstruction.size()) - 1;
    EXPECT_TRUE(rowHasAttribute(screen, row, 1, firstEnd, kLightMagentaOnWhite));
    EXPECT_TRUE(rowHasAttribute(screen, row, firstEnd + 1, 80, kBlackOnWhite));
    EXPECT_TRUE(rowHasAttribute(screen, row + 1, 1, secondEnd, kLightMagentaOnWhite));
    EXPECT_TRUE(rowHasAttribute(screen, row + 1, secondEnd + 1, 80, kBlackOnWhite));
}

// After the run: the clean end, and the terminal handed back for a shell
// with its signals on and no mouse reports of any mode.
class ScreenTest : public ProgramTest {
protected:
    void expectShellReady(TmuxSession& session) const {
        expectCleanEnd(session);
        if (::testing::Test::HasFatalFailure()) return;
        const std::string stty = session.terminalSettingsAfterExit();
        EXPECT_TRUE(sttyFlagOn(stty, "isig")) << stty;
        EXPECT_EQ(session.paneFormat("#{mouse_sgr_flag}"), "0");
    }
};

class FirstScreen : public ScreenTest {};

TEST_P(FirstScreen, FirstRunWritesSettingsAndAsksOnYellowOnGreen) {
    auto session = start();
    const bool asked = session->waitFor(
        [](const Screen& s) {
            return s.contains("Yes to edit batchs.ini, no to exit") ||
                   s.contains("First question in batchs.ini must be answered 'y'");
        },
        firstScreenTimeout());
    ASSERT_TRUE(asked) << "no batch-mode question\n" << session->lastScreen().describe();

    const Screen& screen = session->lastScreen();
    // The message box covers part of the screen; the rest is the cleared
    // screen in the start-up colours.
    const int green = screen.count([](const ScreenCell& c) { return windowsAttribute(c) == kYellowOnGreen; });
    EXPECT_GT(green, screen.columns() * screen.rows() / 2) << screen.describe();
    EXPECT_TRUE(rowHasAttribute(screen, 1, 1, screen.columns(), kYellowOnGreen)) << screen.describe();
    EXPECT_NE(session->title(), kSelectionTitle);

    // The default settings file is on disk while the question is shown.
    EXPECT_EQ(readFile(workDir() / "batchs.ini"), defaultSettings());

    // Escape answers No: the run ends without the selection window.
    session->sendKeys({"Escape"});
    expectShellReady(*session);
    EXPECT_NE(session->title(), kSelectionTitle);
    EXPECT_FALSE(session->lastScreen().contains(kSecondInstruction)) << session->lastScreen().describe();
    EXPECT_EQ(readFile(workDir() / "batchs.ini"), defaultSettings());
}

TEST_P(FirstScreen, SettingsWithoutBatchModeAreLeftAsTheyAre) {
    const std::string settings = settingsWith("no", "");
    writeFile(workDir(), "batchs.ini", settings);
    auto session = start();
    ASSERT_TRUE(session->waitFor(
        [](const Screen& s) {
            return s.contains("Yes to edit batchs.ini, no to exit") ||
                   s.contains("First question in batchs.ini must be answered 'y'");
        },
        firstScreenTimeout()))
        << session->lastScreen().describe();
    session->sendKeys({"Escape"});
    expectShellReady(*session);
    EXPECT_EQ(readFile(workDir() / "batchs.ini"), settings);
}

CORRIVEX_E2E_BOTH_BUILDS(FirstScreen);

class SelectionScreen : public ScreenTest {};

TEST_P(SelectionScreen, EmptyDirectoryShowsWarningAboveInstructions) {
    writeFile(workDir(), "batchs.ini", settingsWith("y", ""));
    auto session = start();
    ASSERT_TRUE(session->waitFor(showsInstructions, firstScreenTimeout())) << session->lastScreen().describe();
    const Screen screen = session->lastScreen();
    SCOPED_TRACE(screen.describe());

    EXPECT_EQ(session->title(), kSelectionTitle);

    // Row 1: the warning in light red, the rest of the row black on bright white.
    EXPECT_EQ(screen.textAt(1, 1, static_cast<int>(kWarning.size())), kWarning);
    EXPECT_TRUE(rowHasAttribute(screen, 1, 1, static_cast<int>(kWarning.size()), kLightRedOnWhite));
    EXPECT_TRUE(rowHasAttribute(screen, 1, static_cast<int>(kWarning.size()) + 1, 80, kBlackOnWhite));
    // Row 2: the empty line after the warning; rows 3 and 4: the two empty
    // lines before the instructions, which write no cell.
    for (int row = 2; row <= 4; ++row) EXPECT_TRUE(rowHasAttribute(screen, row, 1, 80, kBlackOnWhite));
    expectInstructionsAt(screen, 5);

    session->sendKeys({"Escape"});
    expectShellReady(*session);
}

TEST_P(SelectionScreen, DataFilesShowInstructionsOnRowsThreeAndFour) {
    writeFile(workDir(), "batchs.ini", settingsWith("y", ""));
    writeFile(workDir(), "alpha.txt", "1\r\n");
    writeFile(workDir(), "Beta.DAT", "2\r\n");
    auto session = start();
    // The list box comes right after the instructions: wait for both.
    const auto listShown = [](const Screen& s) { return showsInstructions(s) && s.contains("BETA"); };
    ASSERT_TRUE(session->waitFor(listShown, firstScreenTimeout())) << session->lastScreen().describe();
    const Screen screen = session->lastScreen();
    SCOPED_TRACE(screen.describe());

    EXPECT_EQ(session->title(), kSelectionTitle);
    EXPECT_FALSE(screen.contains(kWarning));
    for (int row = 1; row <= 2; ++row) EXPECT_TRUE(rowHasAttribute(screen, row, 1, 80, kBlackOnWhite));
    expectInstructionsAt(screen, 3);
    // The list box offers the base names.
    EXPECT_TRUE(screen.contains("ALPHA"));
    EXPECT_TRUE(screen.contains("BETA"));

    session->sendKeys({"Escape"});
    expectShellReady(*session);
}

TEST_P(SelectionScreen, IsEightyByThirtyInALargerTerminal) {
    writeFile(workDir(), "batchs.ini", settingsWith("y", ""));
    auto session = start(100, 40);
    // The whole frame, down to the list box's bottom border: the terminal may
    // be read while it is still taking in the frame's bytes.
    const auto boxShown = [](const Screen& s) { return showsInstructions(s) && s.contains("chosen"); };
    ASSERT_TRUE(session->waitFor(boxShown, firstScreenTimeout())) << session->lastScreen().describe();
    const Screen screen = session->lastScreen();
    SCOPED_TRACE(screen.describe());

    const auto whiteBackground = [&](int column, int row) {
        return windowsBackground(screen.cell(column, row)) == kBrightWhite;
    };
    // The selection screen fills columns 1 to 80 of rows 1 to 30 ...
    for (int row = 1; row <= 6; ++row) {
        EXPECT_TRUE(whiteBackground(1, row)) << "row " << row;
        EXPECT_TRUE(whiteBackground(80, row)) << "row " << row;
    }
    int whiteOnLastRow = 0;
    for (int column = 1; column <= 80; ++column) whiteOnLastRow += whiteBackground(column, 30) ? 1 : 0;
    EXPECT_GT(whiteOnLastRow, 0);
    // ... and nothing beyond.
    int whiteOutside = 0;
    for (int row = 1; row <= 40; ++row)
        for (int column = 1; column <= 100; ++column)
            if ((row > 30 || column > 80) && whiteBackground(column, row)) ++whiteOutside;
    EXPECT_EQ(whiteOutside, 0);

    session->sendKeys({"Escape"});
    expectShellReady(*session);
}

CORRIVEX_E2E_BOTH_BUILDS(SelectionScreen);

}  // namespace
}  // namespace corrivex::e2e
