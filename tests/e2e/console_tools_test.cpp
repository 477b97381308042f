// The dialogs of the console tools library in a terminal: the message box
// of the batch-mode gate and the list box of the selection, driven with keys
// in both builds and, natively, with SGR mouse reports (Wine's console in
// tmux passes keys but no mouse). What the list box returned is read back
// from the stand-in engine's log, quelmark.log in the start directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "engine_log.h"
#include "program_test.h"
#include "start_directory.h"

namespace corrivex::e2e {
namespace {

namespace fs = std::filesystem;

const std::string kHint = "<ctl> click for mult. selection";
const std::string kQuestion = "Yes to edit batchs.ini, no to exit";
const std::string kCaption = "First question in batchs.ini must be answered 'y'";
const std::string kSelectionTitle = "Select files for statistical detection";
constexpr int kFirstEntryRow = 11;  // the list's first row, 1-based
constexpr int kButtonsRow = 28;

// One SGR mouse report at a 1-based cell: the button code (0 the left
// button, Shift 4 and Ctrl 16 added, motion 32 added) pressed or released.
std::string sgrMouse(int code, ScreenPos pos, bool press) {
    return "\x1b[<" + std::to_string(code) + ";" + std::to_string(pos.column) + ";" + std::to_string(pos.row) +
           (press ? "M" : "m");
}
// Press and release of the left button, with Shift or Ctrl.
std::string click(ScreenPos pos, int modifiers = 0) {
    return sgrMouse(modifiers, pos, true) + sgrMouse(modifiers, pos, false);
}
constexpr int kShift = 4;
constexpr int kCtrl = 16;
constexpr int kMotion = 32;

// The entries' names in the order the engine ran them.
std::vector<std::string> enginePicks(const fs::path& startDir) {
    std::vector<std::string> names;
    for (const testing::EngineLogEntry& entry : testing::parseEngineLog(readFile(startDir / "quelmark.log")))
        if (!entry.arguments.empty()) names.push_back(entry.arguments.back());
    return names;
}

// The name shown on a list row: what follows the mark "[ ] " or "[x] ".
std::string entryOnRow(const Screen& screen, int row) {
    const std::string text = screen.rowText(row);
    const std::size_t mark = text.find("] ");
    if (mark == std::string::npos) return {};
    const std::size_t end = text.find(' ', mark + 2);
    return text.substr(mark + 2, end - mark - 2);
}

class ConsoleTools : public ProgramTest {
protected:
    // Batch mode on, the data files in the start directory (the test's own
    // by default) and the stand-in engine beside them.
    void prepare(const std::vector<std::string>& dataFiles, fs::path dir = {}) {
        if (dir.empty()) dir = workDir();
        fs::create_directories(dir);
        writeFile(dir, "batchs.ini", settingsWith("y", ""));
        for (const std::string& name : dataFiles) writeFile(dir, name, "KEY   ABCD\r\n");
        const fs::path engine = program().engineDirectory / "Quelmark.exe";
        if (fs::exists(engine)) fs::copy_file(engine, dir / "Quelmark.exe");
    }
    bool haveEngine() const { return fs::exists(program().engineDirectory / "Quelmark.exe"); }

    ::testing::AssertionResult listBoxShown(TmuxSession& session, const std::string& entry) {
        if (session.waitFor([&entry](const Screen& s) { return s.contains(kHint) && s.contains(entry); },
                            firstScreenTimeout()))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "no list box with " << entry << "\n" << session.lastScreen().describe();
    }
    ::testing::AssertionResult messageBoxShown(TmuxSession& session) {
        if (session.waitFor([](const Screen& s) { return s.contains(kQuestion); }, firstScreenTimeout()))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "no message box\n" << session.lastScreen().describe();
    }
    void expectExitZero(TmuxSession& session) {
        const auto code = session.waitForExit(stepTimeout());
        ASSERT_TRUE(code.has_value()) << "the run did not end\n" << session.lastScreen().describe();
        EXPECT_EQ(*code, 0);
    }
    // Wine's console in tmux receives no mouse reports.
    bool mouseReaches() const { return program().build == Build::Native; }
};

// --- The message box ------------------------------------------------------

TEST_P(ConsoleTools, MessageBoxShowsBothTextsAndNoIsTheDefaultButton) {
    auto session = start();
    ASSERT_TRUE(messageBoxShown(*session));
    const Screen screen = session->capture();
    const auto caption = screen.find("╔═ " + kCaption + " ═");
    const auto text = screen.find("(?) " + kQuestion);
    ASSERT_TRUE(caption && text) << screen.describe();
    EXPECT_EQ(text->row, caption->row + 2);
    const auto buttons = screen.find("[ Yes ]");
    ASSERT_TRUE(buttons) << screen.describe();
    EXPECT_EQ(buttons->row, caption->row + 4);
    const auto no = screen.find("[>No <]");
    ASSERT_TRUE(no) << screen.describe();
    EXPECT_EQ(no->row, buttons->row);

    session->sendKeys({"Enter"});
    expectExitZero(*session);
    EXPECT_NE(session->title(), kSelectionTitle);
}

TEST_P(ConsoleTools, MessageBoxTabMovesToYesAndEscapeAnswersNo) {
    auto session = start();
    ASSERT_TRUE(messageBoxShown(*session));
    session->sendKeys({"Tab"});
    ASSERT_TRUE(session->waitForText("[>Yes<]", stepTimeout())) << session->lastScreen().describe();
    EXPECT_TRUE(session->lastScreen().contains("[ No  ]"));
    session->sendKeys({"Escape"});
    expectExitZero(*session);
    EXPECT_NE(session->title(), kSelectionTitle);
}

// Ctrl+C is Esc in both boxes: No, and in the list box after Esc has taken
// back a kept filter, Cancel. Wine's console in a terminal makes Ctrl+C a
// signal, never a key: there Esc stands in for it.
TEST_P(ConsoleTools, EscAndCtrlCLeaveTheDialogs) {
    const std::string ctrlC = program().build == Build::Native ? "C-c" : "Escape";
    auto box = start();
    ASSERT_TRUE(messageBoxShown(*box));
    box->sendKeys({ctrlC});
    expectExitZero(*box);
    prepare({"alpha.dat", "beta.dat", "gamma.dat"});
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "GAMMA"));
    session->sendKeys({"/", "g", "Enter", "Space"});
    ASSERT_TRUE(session->waitForText("1 chosen - 1/1 - /g", stepTimeout())) << session->lastScreen().describe();
    session->sendKeys({"Escape"});
    ASSERT_TRUE(session->waitForText("1 chosen - 3/3 ", stepTimeout())) << session->lastScreen().describe();
    session->sendKeys({ctrlC});
    expectExitZero(*session);
    EXPECT_FALSE(fs::exists(workDir() / "quelmark.log"));
}

TEST_P(ConsoleTools, MessageBoxAnswersAClickOnNo) {
    if (!mouseReaches()) GTEST_SKIP() << "no mouse reports under Wine";
    auto session = start();
    ASSERT_TRUE(messageBoxShown(*session));
    const auto no = session->capture().find("[>No <]");
    ASSERT_TRUE(no);
    session->sendBytes(click({no->column + 2, no->row}));
    expectExitZero(*session);
    EXPECT_NE(session->title(), kSelectionTitle);
}

TEST_P(ConsoleTools, MessageBoxAnswersAClickOnYes) {
    if (!mouseReaches()) GTEST_SKIP() << "no mouse reports under Wine";
    // Yes runs the editor: a stand-in that switches batch mode on, so the
    // selection follows.
    RunOptions run;
    run.environment.push_back({"CORRIVEX_EDITOR_ANSWER", "y"});
    const char* path = std::getenv("PATH");
    run.environment.push_back(
        {"PATH", std::string(CORRIVEX_E2E_STAND_IN_EDITOR_DIR) + (path ? std::string(":") + path : "")});
    writeFile(workDir(), "beta.dat", "");
    auto session = start(run);
    ASSERT_TRUE(messageBoxShown(*session));
    const auto yes = session->capture().find("[ Yes ]");
    ASSERT_TRUE(yes);
    session->sendBytes(click({yes->column, yes->row}));
    ASSERT_TRUE(listBoxShown(*session, "BETA"));
    session->sendKeys({"Escape"});
    expectExitZero(*session);
}

// --- The list box ---------------------------------------------------------

TEST_P(ConsoleTools, ListBoxLeavesTheInstructionsReadableAndMarksTheFocus) {
    prepare({"alpha.txt", "beta.dat", "gamma.txt"});
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "GAMMA"));
    const Screen screen = session->capture();
    EXPECT_EQ(screen.find("Make simultaneous choices"), (ScreenPos{36, 3})) << screen.describe();
    EXPECT_EQ(screen.find("with <ctrl> click, then press OK"), (ScreenPos{36, 4}));
    // Frames of box-drawing characters.
    EXPECT_EQ(screen.textAt(3, 8, 3), "┌─ ");
    EXPECT_EQ(screen.textAt(78, 8, 1), "┐");
    EXPECT_EQ(screen.textAt(3, 29, 1), "└");
    EXPECT_EQ(screen.textAt(78, 29, 1), "┘");
    EXPECT_EQ(screen.textAt(3, kFirstEntryRow - 1, 2), "├─");
    EXPECT_EQ(screen.textAt(3, kFirstEntryRow, 6), "│> [ ]");
    EXPECT_EQ(windowsAttribute(screen.cell(10, kFirstEntryRow)), 0x1F) << screen.describe();
    EXPECT_EQ(windowsAttribute(screen.cell(10, kFirstEntryRow + 1)), 0x70);
    EXPECT_TRUE(screen.contains("[   OK   ]    [ Cancel ]"));
    const auto indicator = screen.find("0 chosen - 1/3");
    ASSERT_TRUE(indicator) << screen.describe();
    EXPECT_EQ(indicator->row, 29);
    session->sendKeys({"Escape"});
    expectExitZero(*session);
    EXPECT_FALSE(fs::exists(workDir() / "quelmark.log"));
}

TEST_P(ConsoleTools, ListBoxKeysJumpPageAndConfirmWithTheOkButton) {
    std::vector<std::string> files;
    for (int i = 10; i < 40; ++i) files.push_back("set" + std::to_string(i) + ".txt");
    files.push_back("kappa.txt");
    files.push_back("omega.txt");
    prepare(files);
    if (!haveEngine()) GTEST_SKIP() << "no stand-in engine";
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "SET"));

    session->sendKeys({"k", "Space", "o", "Space", "NPage"});
    ASSERT_TRUE(session->waitForText("2 chosen", stepTimeout())) << session->lastScreen().describe();
    pressHome(*session);
    ASSERT_TRUE(session->waitForText(" 1/32 ", stepTimeout())) << session->lastScreen().describe();
    pressEnd(*session);
    ASSERT_TRUE(session->waitForText(" 32/32 ", stepTimeout())) << session->lastScreen().describe();
    std::string last;
    for (int row = kFirstEntryRow; row < kFirstEntryRow + 16; ++row)
        if (session->lastScreen().textAt(4, row, 1) == ">") last = entryOnRow(session->lastScreen(), row);
    ASSERT_FALSE(last.empty()) << session->lastScreen().describe();
    session->sendKeys({"Space", "Tab"});
    ASSERT_TRUE(session->waitForText("[>  OK  <]", stepTimeout())) << session->lastScreen().describe();
    session->sendKeys({"Enter"});
    expectExitZero(*session);

    // Space on the last entry flips its mark, should it be one of the two.
    std::vector<std::string> expected{"KAPPA", "OMEGA"};
    const auto again = std::find(expected.begin(), expected.end(), last);
    if (again != expected.end()) expected.erase(again);
    else expected.push_back(last);
    std::vector<std::string> picks = enginePicks(workDir());
    std::sort(picks.begin(), picks.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(picks, expected);
}

// Each row a run of its own: the data files (sorted, being .dat files), the
// keys typed, the names the engine runs for.
TEST_P(ConsoleTools, ListBoxMarkAllInvertAndFilterChoose) {
    if (!haveEngine()) GTEST_SKIP() << "no stand-in engine";
    struct Row {
        std::vector<std::string> files;
        std::vector<std::string> keys;
        std::vector<std::string> runs;
    };
    const std::vector<std::string> three{"beta.dat", "alpha.dat", "gamma.dat"};
    const Row rows[] = {
        {three, {"+", "Enter"}, {"ALPHA", "BETA", "GAMMA"}},
        {three, {"Space", "*", "Enter"}, {"BETA", "GAMMA"}},
        {{"alpha.dat", "beta.dat", "gamma.dat", "golf.dat"}, {"/", "g", "o", "Enter", "Space", "Enter"}, {"GOLF"}},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        const fs::path dir = workDir() / ("run" + std::to_string(i + 1));
        prepare(rows[i].files, dir);
        RunOptions run;
        run.startDir = dir;
        auto session = start(run);
        ASSERT_TRUE(listBoxShown(*session, "GAMMA"));
        session->sendKeys(rows[i].keys);
        expectExitZero(*session);
        EXPECT_EQ(enginePicks(dir), rows[i].runs);
    }
}

TEST_P(ConsoleTools, ListBoxF1ShowsTheHelpAndAKeyClosesIt) {
    prepare({"alpha.txt", "beta.dat", "gamma.txt"});
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "GAMMA"));
    session->sendKeys({"F1"});
    ASSERT_TRUE(session->waitForText("╔═ Keys and mouse", stepTimeout())) << session->lastScreen().describe();
    EXPECT_TRUE(session->lastScreen().contains("Any key closes this help"));
    session->sendKeys({"Space"});
    ASSERT_TRUE(session->waitFor([](const Screen& s) { return !s.contains("Keys and mouse") && s.contains(kHint); },
                                 stepTimeout()))
        << session->lastScreen().describe();
    EXPECT_TRUE(session->lastScreen().contains("0 chosen - 1/3")) << "the key only closed the help";
    session->sendKeys({"Escape"});
    expectExitZero(*session);
    EXPECT_FALSE(fs::exists(workDir() / "quelmark.log"));
}

TEST_P(ConsoleTools, ListBoxDragMarksTheRange) {
    if (!mouseReaches()) GTEST_SKIP() << "no mouse reports under Wine";
    prepare({"alpha.dat", "beta.dat", "gamma.dat", "delta.dat", "epsilon.dat"});
    if (!haveEngine()) GTEST_SKIP() << "no stand-in engine";
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "EPSILON"));
    // The left button down on the first entry, moved over the second to the
    // third (button-motion reports, code 32), and up there.
    session->sendBytes(sgrMouse(0, {12, kFirstEntryRow}, true) + sgrMouse(kMotion, {12, kFirstEntryRow + 1}, true) +
                       sgrMouse(kMotion, {12, kFirstEntryRow + 2}, true) +
                       sgrMouse(0, {12, kFirstEntryRow + 2}, false));
    ASSERT_TRUE(session->waitForText("3 chosen - 3/5", stepTimeout())) << session->lastScreen().describe();
    session->sendKeys({"Enter"});
    expectExitZero(*session);
    EXPECT_EQ(enginePicks(workDir()), (std::vector<std::string>{"ALPHA", "BETA", "DELTA"}));
}

TEST_P(ConsoleTools, ListBoxClickCtrlClickAndShiftClickChoose) {
    if (!mouseReaches()) GTEST_SKIP() << "no mouse reports under Wine";
    prepare({"alpha.txt", "beta.txt", "gamma.txt", "delta.txt", "epsilon.txt"});
    if (!haveEngine()) GTEST_SKIP() << "no stand-in engine";
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "EPSILON"));
    const Screen screen = session->capture();
    std::vector<std::string> names;
    for (int row = kFirstEntryRow; row < kFirstEntryRow + 5; ++row) names.push_back(entryOnRow(screen, row));

    // Rows 2 to 4 by a click and a Shift+click, row 3 off and row 1 on by
    // Ctrl+click: rows 1, 2 and 4 are chosen.
    session->sendBytes(click({12, kFirstEntryRow + 1}));
    session->sendBytes(click({12, kFirstEntryRow + 3}, kShift));
    ASSERT_TRUE(session->waitForText("3 chosen", stepTimeout())) << session->lastScreen().describe();
    session->sendBytes(click({12, kFirstEntryRow + 2}, kCtrl));
    session->sendBytes(click({12, kFirstEntryRow}, kCtrl));
    ASSERT_TRUE(session->waitForText("3 chosen - 1/5", stepTimeout())) << session->lastScreen().describe();
    const auto ok = session->lastScreen().find("[   OK   ]");
    ASSERT_TRUE(ok && ok->row == kButtonsRow);
    session->sendBytes(click({ok->column + 4, ok->row}));
    expectExitZero(*session);
    EXPECT_EQ(enginePicks(workDir()), (std::vector<std::string>{names[0], names[1], names[3]}));
}

TEST_P(ConsoleTools, ListBoxDoubleClickChoosesThatEntryAlone) {
    if (!mouseReaches()) GTEST_SKIP() << "no mouse reports under Wine";
    prepare({"alpha.txt", "beta.txt", "gamma.txt"});
    if (!haveEngine()) GTEST_SKIP() << "no stand-in engine";
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "GAMMA"));
    const std::string second = entryOnRow(session->capture(), kFirstEntryRow + 1);
    session->sendKeys({"Space"});  // chosen first, dropped by the double-click
    session->sendBytes(click({12, kFirstEntryRow + 1}) + click({12, kFirstEntryRow + 1}));
    expectExitZero(*session);
    EXPECT_EQ(enginePicks(workDir()), std::vector<std::string>{second});
}

TEST_P(ConsoleTools, ListBoxWheelScrollsAndCancelChoosesNothing) {
    if (!mouseReaches()) GTEST_SKIP() << "no mouse reports under Wine";
    std::vector<std::string> files;
    for (int i = 10; i < 50; ++i) files.push_back("set" + std::to_string(i) + ".txt");
    prepare(files);
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "SET"));
    const std::string fourth = entryOnRow(session->capture(), kFirstEntryRow + 3);
    session->sendBytes("\x1b[<65;12;15M");  // wheel towards the user
    ASSERT_TRUE(
        session->waitFor([&](const Screen& s) { return entryOnRow(s, kFirstEntryRow) == fourth; }, stepTimeout()))
        << session->lastScreen().describe();
    session->sendKeys({"Space"});
    const auto cancel = session->capture().find("[ Cancel ]");
    ASSERT_TRUE(cancel);
    session->sendBytes(click({cancel->column + 3, cancel->row}));
    expectExitZero(*session);
    EXPECT_FALSE(fs::exists(workDir() / "quelmark.log"));
}

CORRIVEX_E2E_BOTH_BUILDS(ConsoleTools);

}  // namespace
}  // namespace corrivex::e2e
