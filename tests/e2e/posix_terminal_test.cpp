// The native program as Linux users meet it: start directories whose paths
// hold blanks, wildcards or many bytes; UTF-8 file names; terminals smaller
// than the console; signals from outside; output redirected away from the
// terminal. The Windows builds keep the Windows behaviour: these run the
// native program only.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "engine_log.h"
#include "program_test.h"
#include "start_directory.h"

namespace corrivex::e2e {
namespace {

namespace fs = std::filesystem;

const std::string kHint = "<ctl> click for mult. selection";
const std::string kQuestion = "Yes to edit batchs.ini, no to exit";

std::vector<testing::EngineLogEntry> engineRuns(const fs::path& startDir) {
    return testing::parseEngineLog(readFile(startDir / "quelmark.log"));
}

bool listBox(const Screen& screen) { return screen.contains(kHint) && screen.contains("chosen - "); }

class PosixTerminal : public ProgramTest {
protected:
    fs::path standInEngine() const { return program().engineDirectory / "Quelmark.exe"; }

    // A start directory with batchs.ini (batch mode `batch`, course path
    // "course"), the data files in course/ and the stand-in engine.
    void prepare(const fs::path& startDir, const std::string& batch, const std::vector<std::string>& dataFiles) {
        fs::create_directories(startDir / "course");
        writeFile(startDir, "batchs.ini", settingsWith(batch, "course"));
        for (const std::string& name : dataFiles) writeFile(startDir / "course", name, "KEY   ABCD\r\n");
        fs::copy_file(standInEngine(), startDir / "Quelmark.exe");
    }

    // The program run by `sh -c script sh program...`.
    std::unique_ptr<TmuxSession> startShell(const std::string& script, RunOptions run) {
        SessionOptions options;
        options.command = {"/bin/sh", "-c", script, "sh"};
        options.command.insert(options.command.end(), program().command.begin(), program().command.end());
        options.environment = program().environment;
        options.environment.insert(options.environment.end(), run.environment.begin(), run.environment.end());
        options.workingDirectory = run.startDir.empty() ? workDir() : run.startDir;
        options.columns = run.columns;
        options.rows = run.rows;
        return std::make_unique<TmuxSession>(std::move(options));
    }

    // The process id of the program: the child of the pane's shell that
    // runs it.
    pid_t programPid(TmuxSession& session) {
        const std::string shell = session.paneFormat("#{pane_pid}");
        std::ifstream children("/proc/" + shell + "/task/" + shell + "/children");
        std::error_code error;
        const fs::path program = fs::canonical(this->program().command.front(), error);
        for (pid_t pid = 0; children >> pid;)
            if (fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", error) == program) return pid;
        return 0;
    }

    // Whether the pane's terminal is (or within a step becomes) raw: no line
    // input, no echo.
    bool rawAgain(TmuxSession& session) {
        const int fd = open(session.paneFormat("#{pane_tty}").c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return false;
        const auto deadline = std::chrono::steady_clock::now() + stepTimeout();
        bool raw = false;
        for (termios t{}; !raw && std::chrono::steady_clock::now() < deadline;) {
            raw = tcgetattr(fd, &t) == 0 && (t.c_lflag & (ICANON | ECHO)) == 0;
            if (!raw) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        close(fd);
        return raw;
    }
};

// Blanks, '*' and '?' are bytes of a name, and a path may be as long as the
// system allows: the editor gets the start directory's batchs.ini as one
// argument, and the engine runs there with a data set's name whole.
TEST_P(PosixTerminal, StartDirectoriesOfAnyNameAndLength) {
    std::string deep;
    while (deep.size() < 330) deep += std::string(60, 'd') + "/";
    const std::vector<std::string> scenarios = {"sp dir/x", "st*r?dir", deep + "x"};
    for (const std::string& scenario : scenarios) {
        SCOPED_TRACE(scenario);
        const fs::path startDir = workDir() / scenario;
        prepare(startDir, "n", {"alpha.txt", "two words.txt"});
        RunOptions run;
        run.startDir = startDir;
        const char* path = std::getenv("PATH");
        run.environment = {
            {"CORRIVEX_EDITOR_LOG", (startDir / "editor.log").string()},
            {"CORRIVEX_EDITOR_ANSWER", "y"},
            {"PATH", std::string(CORRIVEX_E2E_STAND_IN_EDITOR_DIR) + (path ? std::string(":") + path : "")}};
        auto session = start(run);
        ASSERT_TRUE(session->waitForText(kQuestion, firstScreenTimeout())) << session->lastScreen().describe();
        session->sendKeys({"y"});
        ASSERT_TRUE(session->waitFor(listBox, stepTimeout())) << session->lastScreen().describe();
        session->sendKeys({"Down", "Space", "Enter"});
        expectCleanEnd(*session);

        EXPECT_EQ(recorded(startDir / "editor.log", "arg="),
                  (std::vector<std::string>{"editor", startDir.string() + "/batchs.ini"}));
        const auto runs = engineRuns(startDir);
        ASSERT_EQ(runs.size(), 1u) << readFile(startDir / "quelmark.log");
        EXPECT_EQ(runs[0].directory, startDir.string());
        EXPECT_EQ(runs[0].arguments, std::vector<std::string>{"TWO WORDS"});
    }
}

// Names are UTF-8: upper-cased by character, shown by character, and given
// to the engine as they were listed.
TEST_P(PosixTerminal, Utf8NamesAreListedAndRunWhole) {
    prepare(workDir(), "y", {"\xC3\xA4rger.txt", "b.txt", "\xE4\xB8\xAD\xE6\x96\x87.txt"});
    auto session = start();
    ASSERT_TRUE(session->waitFor(listBox, firstScreenTimeout())) << session->lastScreen().describe();
    const Screen& shown = session->lastScreen();
    EXPECT_TRUE(shown.contains("[ ] \xC3\x84RGER")) << shown.describe();  // ÄRGER
    EXPECT_TRUE(shown.contains("\xE4\xB8\xAD")) << shown.describe();      // 中
    // B, ÄRGER, 中文: in the order of their bytes.
    session->sendKeys({"Down", "Space", "Down", "Space", "Enter"});
    expectCleanEnd(*session);
    const auto runs = engineRuns(workDir());
    ASSERT_EQ(runs.size(), 2u) << readFile(workDir() / "quelmark.log");
    EXPECT_EQ(runs[0].arguments, std::vector<std::string>{"\xC3\x84RGER"});
    EXPECT_EQ(runs[1].arguments, std::vector<std::string>{"\xE4\xB8\xAD\xE6\x96\x87"});
}

// Typed characters arrive whole: the filter and the type-ahead find names in
// any script, letters of either case alike (ł, ś and ø stay small in names).
TEST_P(PosixTerminal, TypingFindsNamesInAnyScript) {
    prepare(workDir(), "y", {"alpha.txt", "\xC5\x82o\xC5\x9B.txt", "\xC3\xB8re.txt", "\xE6\x97\xA5\xE6\x9C\xAC.txt"});
    auto session = start();
    ASSERT_TRUE(session->waitFor(listBox, firstScreenTimeout())) << session->lastScreen().describe();
    session->sendText("/\xC5\x81O\xC5\x9A");  // "/ŁOŚ": łOś marked, then all shown again
    session->sendKeys({"Enter", "Space", "Escape"});
    ASSERT_TRUE(session->waitForText("1 chosen - 3/4 ", stepTimeout())) << session->lastScreen().describe();
    session->sendText("\xC3\x98 \xE6\x97\xA5 ");  // Ø: øRE marked; 日: 日本 marked
    ASSERT_TRUE(session->waitForText("3 chosen - 4/4 ", stepTimeout())) << session->lastScreen().describe();
    session->sendKeys({"Enter"});
    expectCleanEnd(*session);
    std::vector<std::string> names;
    for (const auto& run : engineRuns(workDir())) names.push_back(run.arguments.at(0));
    EXPECT_EQ(names, (std::vector<std::string>{"\xC3\xB8RE", "\xC5\x82O\xC5\x9B", "\xE6\x97\xA5\xE6\x9C\xAC"}));
}

// The dialogs lie in the terminal's own size: in a terminal too small a
// note until it grows, then the whole list box at 80 x 24; the message box
// at 30 x 8.
TEST_P(PosixTerminal, DialogsFitTheTerminal) {
    prepare(workDir(), "y", {"alpha.txt", "beta.txt"});
    {
        auto session = start(24, 5);
        ASSERT_TRUE(session->waitForText("Please make the window", firstScreenTimeout()))
            << session->lastScreen().describe();
        session->resize(80, 24);
        ASSERT_TRUE(session->waitFor(listBox, stepTimeout())) << session->lastScreen().describe();
        const Screen& shown = session->lastScreen();
        EXPECT_TRUE(shown.contains("   OK   ]")) << shown.describe();
        EXPECT_TRUE(shown.contains(" 0 chosen - 1/2 ")) << shown.describe();
        session->sendKeys({"Down", "Space", "Enter"});
        expectCleanEnd(*session);
        const auto runs = engineRuns(workDir());
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].arguments, std::vector<std::string>{"BETA"});
    }
    fs::remove(workDir() / "batchs.ini");
    {
        auto session = start(30, 8);
        ASSERT_TRUE(session->waitForText("[ Yes ]", firstScreenTimeout())) << session->lastScreen().describe();
        session->sendKeys({"n"});
        expectCleanEnd(*session);
    }
}

// A stop and a continue leave the list box working in raw mode, also when
// Ctrl+Z at a shell with job control stops it and `fg` brings it back; a
// signal that ends the program gives the terminal back, its title included.
TEST_P(PosixTerminal, SignalsGiveTheTerminalBack) {
    prepare(workDir(), "y", {"alpha.txt", "beta.txt"});
    const std::string setTitle = "printf '\\033]2;before\\007'; exec \"$@\"";
    {
        auto session = startShell(setTitle, RunOptions{});
        ASSERT_TRUE(session->waitFor(listBox, firstScreenTimeout())) << session->lastScreen().describe();
        const pid_t pid = programPid(*session);
        ASSERT_GT(pid, 0);
        kill(pid, SIGTSTP);
        kill(pid, SIGCONT);
        // Keys typed before the program has taken raw mode again would be
        // read as a line: wait for that first.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ASSERT_TRUE(rawAgain(*session)) << "the terminal stayed in line mode";
        session->sendKeys({"Down", "Space", "Enter"});
        expectCleanEnd(*session);
        EXPECT_EQ(session->title(), "before");
        const auto runs = engineRuns(workDir());
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].arguments, std::vector<std::string>{"BETA"});
    }
    {
        auto session = startShell("set -m; \"$@\"; echo $? >stop-status; fg >/dev/null", RunOptions{});
        ASSERT_TRUE(session->waitFor(listBox, firstScreenTimeout())) << session->lastScreen().describe();
        session->sendKeys({"C-z"});
        // The shell notes the stop, and brings the program back at once.
        const auto deadline = std::chrono::steady_clock::now() + stepTimeout();
        while (readFile(workDir() / "stop-status").find('\n') == std::string::npos &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(readFile(workDir() / "stop-status"), std::to_string(128 + SIGTSTP) + "\n");
        ASSERT_TRUE(rawAgain(*session)) << "the terminal stayed in line mode";
        ASSERT_TRUE(session->waitFor(listBox, stepTimeout())) << session->lastScreen().describe();
        session->sendKeys({"Space", "Enter"});
        expectCleanEnd(*session);
        const auto runs = engineRuns(workDir());
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_EQ(runs[1].arguments, std::vector<std::string>{"ALPHA"});
    }
    {
        auto session = startShell(setTitle, RunOptions{});
        ASSERT_TRUE(session->waitFor(listBox, firstScreenTimeout())) << session->lastScreen().describe();
        EXPECT_EQ(session->paneFormat("#{mouse_any_flag}"), "1");
        kill(programPid(*session), SIGUSR1);
        expectCleanEnd(*session, 128 + SIGUSR1);
        EXPECT_EQ(session->paneFormat("#{cursor_flag}"), "1");
        EXPECT_EQ(session->title(), "before");
    }
}

// `corrivex >log 2>&1` at a terminal: the dialogs are on the terminal, the
// engine's output in the log.
TEST_P(PosixTerminal, RedirectedOutputLeavesTheDialogsOnTheTerminal) {
    prepare(workDir(), "y", {"alpha.txt", "beta.txt"});
    auto session = startShell("exec \"$@\" >out.log 2>&1", RunOptions{});
    ASSERT_TRUE(session->waitFor(listBox, firstScreenTimeout())) << session->lastScreen().describe();
    session->sendKeys({"Space", "Enter"});
    expectCleanEnd(*session);
    EXPECT_NE(readFile(workDir() / "out.log").find("Data set: ALPHA"), std::string::npos)
        << readFile(workDir() / "out.log");
    EXPECT_FALSE(session->capture().contains("Data set: ALPHA"));
}

// Under GNU screen (no bce, no REP) no blank of the list box (columns 3 to
// 78, from above the hint to the counter) is left in the terminal's black,
// and one Esc clears a kept filter.
TEST_P(PosixTerminal, GnuScreenShowsTheBoxInItsColoursAndTakesOneEsc) {
    if (gnuScreen().empty()) GTEST_SKIP() << "GNU screen is not installed";
    prepare(workDir(), "y", {"alpha.txt", "quiz1.txt", "quiz2.txt", "zulu.txt"});
    auto session = start(RunOptions{80, 30, {}, {}, true});
    ASSERT_TRUE(session->waitFor(listBox, firstScreenTimeout())) << session->lastScreen().describe();
    session->sendText("/qu\r");
    session->sendKeys({"Escape"});
    ASSERT_TRUE(session->waitForText(" 0 chosen - 2/4 ", stepTimeout())) << session->lastScreen().describe();
    session->sendKeys({"Down"});
    ASSERT_TRUE(session->waitForText(" 0 chosen - 3/4 ", stepTimeout())) << session->lastScreen().describe();
    const Screen& shown = session->lastScreen();
    for (int row = shown.find(kHint)->row - 1; row <= shown.find(" 0 chosen")->row; ++row)
        for (int column = 3; column <= 78; ++column)
            ASSERT_NE(windowsBackground(shown.cell(column, row)), 0) << column << ", " << row << shown.describe();
    session->sendKeys({"Escape"});  // Cancel: screen ends with the program, not detached
    expectCleanEnd(*session);
}

// In the C locale the frames are line drawing, a letter ASCII lacks is '?',
// and no byte swallows what follows: the box keeps its rows after End.
TEST_P(PosixTerminal, AnEightBitLocaleKeepsTheFramesAndTheRows) {
    prepare(workDir(), "y", {"caf\xC3\xA9.txt", "b.txt", "\xE9t\xE9.txt"});
    auto session = start(RunOptions{80, 30, {}, {{"LC_ALL", "C"}}});
    ASSERT_TRUE(session->waitFor(listBox, firstScreenTimeout())) << session->lastScreen().describe();
    pressEnd(*session);
    ASSERT_TRUE(session->waitForText(" 0 chosen - 3/3 ", stepTimeout())) << session->lastScreen().describe();
    const Screen& shown = session->lastScreen();
    EXPECT_TRUE(shown.contains("[ ] CAF?") && shown.contains("[ ] ?T?")) << shown.describe();
    const int top = shown.find(kHint)->row - 1;
    EXPECT_EQ(shown.find(" 0 chosen")->row, 29) << shown.describe();
    for (const auto& [column, row, glyph] : {std::tuple(3, top, "l"), {4, top, "q"}, {78, top + 1, "x"}, {78, 29, "j"}})
        EXPECT_TRUE(shown.cell(column, row).lineDrawing && shown.cell(column, row).glyph == glyph)
            << column << ", " << row << shown.describe();
    session->sendKeys({"Space", "Enter"});
    expectCleanEnd(*session);
}

INSTANTIATE_TEST_SUITE_P(Native, PosixTerminal, ::testing::Values(Build::Native), testNameOf);

}  // namespace
}  // namespace corrivex::e2e
