// The batch-mode gate in a terminal: a first run answered No, and Yes, which
// runs a stand-in for the platform's editor on the start directory's
// batchs.ini and checks the file again when the editor has ended. Natively
// the stand-in is the `editor` first on PATH; under Wine it is notepad.exe
// in the start directory, which the program search finds before Windows' own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "program_test.h"
#include "start_directory.h"

namespace corrivex::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kYellowOnGreen = 0x2E;
const std::string kQuestion = "Yes to edit batchs.ini, no to exit";
const std::string kCaption = "First question in batchs.ini must be answered 'y'";
const std::string kSelectionTitle = "Select files for statistical detection";
const std::string kInstruction = "with <ctrl> click, then press OK";
const std::string kScribble = "scribbled by the editor";

bool asks(const Screen& screen) { return screen.contains(kQuestion) || screen.contains(kCaption); }

// The screen behind the message box: the cleared screen in the start-up
// colours, whole (the first row all yellow on green, most cells so).
bool greenScreenWhole(const Screen& screen) {
    for (int column = 1; column <= screen.columns(); ++column)
        if (windowsAttribute(screen.cell(column, 1)) != kYellowOnGreen) return false;
    const int green = screen.count([](const ScreenCell& c) { return windowsAttribute(c) == kYellowOnGreen; });
    return green > screen.columns() * screen.rows() / 2 && !screen.contains(kScribble);
}

class SettingsGate : public ProgramTest {
protected:
    fs::path log() const { return workDir() / "editor.log"; }

    // Run options with the stand-in editor in reach, recording into
    // editor.log in the start directory and setting line 2 to `answer`
    // (leaving the file alone when `answer` is empty).
    RunOptions withStandInEditor(const std::string& answer, bool scribble = false) {
        RunOptions run;
        run.environment.push_back({"CORRIVEX_EDITOR_LOG", "editor.log"});
        if (!answer.empty()) run.environment.push_back({"CORRIVEX_EDITOR_ANSWER", answer});
        if (program().build == Build::Native) {
            const char* path = std::getenv("PATH");
            run.environment.push_back(
                {"PATH", std::string(CORRIVEX_E2E_STAND_IN_EDITOR_DIR) + (path ? std::string(":") + path : "")});
            if (scribble) run.environment.push_back({"CORRIVEX_EDITOR_SCRIBBLE", "1"});
        } else {
            const fs::path standIn = program().program.parent_path() / "tests/settings/stand_in/notepad.exe";
            if (!fs::exists(standIn)) return run;
            fs::copy_file(standIn, workDir() / "notepad.exe");
        }
        return run;
    }
    bool standInInPlace() const { return program().build == Build::Native || fs::exists(workDir() / "notepad.exe"); }

    // The start directory as the program names it.
    std::string startDir() const {
        if (program().build == Build::Native) return workDir().string();
        std::string windows = "Z:" + workDir().string();
        std::replace(windows.begin(), windows.end(), '/', '\\');
        return windows;
    }

    void expectExitZero(TmuxSession& session) {
        const auto code = session.waitForExit(stepTimeout());
        ASSERT_TRUE(code.has_value()) << "the run did not end\n" << session.lastScreen().describe();
        EXPECT_EQ(*code, 0);
    }
};

TEST_P(SettingsGate, FirstRunAnsweredNoLeavesExactlyTheDefaultFile) {
    auto session = start();
    ASSERT_TRUE(session->waitFor(asks, firstScreenTimeout())) << session->lastScreen().describe();
    session->sendKeys({"n"});
    expectExitZero(*session);
    EXPECT_NE(session->title(), kSelectionTitle);

    const std::string written = readFile(workDir() / "batchs.ini");
    EXPECT_EQ(written.size(), 513u);
    EXPECT_EQ(written, defaultSettings());
    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(workDir())) entries.push_back(entry.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{"batchs.ini"});
}

TEST_P(SettingsGate, YesRunsTheEditorAndTheAnsweredFilePassesWithoutASecondBox) {
    const std::string before = settingsWith("n", "");
    writeFile(workDir(), "batchs.ini", before);
    auto session = start(withStandInEditor("y"));
    if (!standInInPlace()) GTEST_SKIP() << "no stand-in notepad.exe in the win32 build";
    ASSERT_TRUE(session->waitFor(asks, firstScreenTimeout())) << session->lastScreen().describe();
    session->sendKeys({"y"});

    // No key is sent after Yes: a second box would wait for one, and the
    // selection window would never appear.
    ASSERT_TRUE(session->waitForText(kInstruction, stepTimeout())) << session->lastScreen().describe();
    EXPECT_FALSE(asks(session->lastScreen()));
    EXPECT_EQ(session->title(), kSelectionTitle);

    EXPECT_EQ(recorded(log(), "run").size(), 1u);
    if (program().build == Build::Native) {
        EXPECT_EQ(recorded(log(), "arg="), (std::vector<std::string>{"editor", startDir() + "/batchs.ini"}));
        EXPECT_EQ(recorded(log(), "held="), std::vector<std::string>{"no"});
    } else {
        EXPECT_EQ(recorded(log(), "command="), std::vector<std::string>{"notepad  " + startDir() + "\\batchs.ini"});
    }
    std::string after = before;
    after[26] = 'y';
    EXPECT_EQ(readFile(workDir() / "batchs.ini"), after);

    session->sendKeys({"Escape"});
    expectExitZero(*session);
}

TEST_P(SettingsGate, UnchangedFileIsAskedAgainOnTheWholeGreenScreen) {
    const std::string before = settingsWith("n", "");
    writeFile(workDir(), "batchs.ini", before);
    auto session = start(withStandInEditor("", /*scribble=*/true));
    if (!standInInPlace()) GTEST_SKIP() << "no stand-in notepad.exe in the win32 build";
    ASSERT_TRUE(session->waitFor(asks, firstScreenTimeout())) << session->lastScreen().describe();
    ASSERT_TRUE(greenScreenWhole(session->lastScreen())) << session->lastScreen().describe();
    session->sendKeys({"y"});

    const fs::path editorLog = log();
    const bool askedAgain = session->waitFor(
        [&editorLog](const Screen& screen) {
            return !recorded(editorLog, "run").empty() && asks(screen) && greenScreenWhole(screen);
        },
        stepTimeout());
    ASSERT_TRUE(askedAgain) << session->lastScreen().describe();
    EXPECT_EQ(recorded(log(), "run").size(), 1u);

    session->sendKeys({"n"});
    expectExitZero(*session);
    EXPECT_NE(session->title(), kSelectionTitle);
    EXPECT_EQ(readFile(workDir() / "batchs.ini"), before);
}

CORRIVEX_E2E_BOTH_BUILDS(SettingsGate);

}  // namespace
}  // namespace corrivex::e2e
