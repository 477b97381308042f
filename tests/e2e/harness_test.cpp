// The harness against the shell: what a pane shows, how keys and bytes reach
// the program, titles, modes and the recorded end of the run.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "temp_dir.h"
#include "tmux_session.h"

namespace corrivex::e2e {
namespace {

using namespace std::chrono_literals;

class TmuxHarness : public ::testing::Test {
protected:
    void SetUp() override {
        if (TmuxSession::tmuxProgram().empty()) GTEST_SKIP() << "tmux is not installed";
    }

    // A shell command in a pane of its own.
    std::unique_ptr<TmuxSession> shell(const std::string& command, int columns = 80, int rows = 30,
                                       std::vector<std::pair<std::string, std::string>> env = {}) {
        SessionOptions options;
        options.command = {"/bin/sh", "-c", command};
        options.workingDirectory = dir_.path();
        options.environment = std::move(env);
        options.columns = columns;
        options.rows = rows;
        return std::make_unique<TmuxSession>(std::move(options));
    }

    TempDir dir_{"corrivex-e2e-selftest"};
};

TEST_F(TmuxHarness, ReadsTextAndWindowsColoursBack) {
    auto session = shell(R"(printf '\033[93;42mYELLOW\033[0m plain \033[30;107mINK\033[0m\n'; sleep 30)");
    ASSERT_TRUE(session->waitForText("INK", 10s)) << session->lastScreen().describe();
    const Screen& screen = session->lastScreen();

    const auto yellow = screen.find("YELLOW");
    ASSERT_TRUE(yellow.has_value());
    EXPECT_EQ(*yellow, (ScreenPos{1, 1}));
    for (int c = 1; c <= 6; ++c) EXPECT_EQ(windowsAttribute(screen.cell(c, 1)), 0x2E) << "column " << c;
    EXPECT_EQ(windowsAttribute(screen.cell(8, 1)), 0x07);  // default colours
    const auto ink = screen.find("INK");
    ASSERT_TRUE(ink.has_value());
    EXPECT_EQ(ink->column, 14);
    EXPECT_EQ(windowsAttribute(screen.cell(14, 1)), 0xF0);
    EXPECT_EQ(screen.rowText(1).size(), 80u);
}

TEST_F(TmuxHarness, KeepsBackgroundOfWrittenBlanks) {
    // Every cell of a 40 x 10 pane written as a blank in white on blue.
    auto session = shell(
        R"(printf '\033[97;44m'; i=0; while [ $i -lt 10 ]; do printf '%40s' ''; i=$((i+1)); done; sleep 30)", 40, 10);
    EXPECT_TRUE(session->waitFor([](const Screen& s) { return s.allCellsHaveAttribute(0x1F); }, 10s))
        << session->lastScreen().describe();
}

TEST_F(TmuxHarness, RecordsExitCodeAndKeepsLastScreen) {
    auto session = shell("echo last words; exit 3");
    const auto code = session->waitForExit(10s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 3);
    EXPECT_TRUE(session->lastScreen().contains("last words")) << session->lastScreen().describe();
}

TEST_F(TmuxHarness, MissingWorkingDirectoryEndsTheRun) {
    SessionOptions options;
    options.command = {"/bin/sh", "-c", "echo ran"};
    options.workingDirectory = dir_.path() / "missing";
    TmuxSession session(std::move(options));
    const auto code = session.waitForExit(10s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 125);
    EXPECT_FALSE(session.lastScreen().contains("ran"));
}

TEST_F(TmuxHarness, ExitCodeIsAbsentWhileRunning) {
    auto session = shell("sleep 30");
    EXPECT_FALSE(session->waitForExit(500ms).has_value());
    EXPECT_FALSE(session->exitCode().has_value());
    EXPECT_TRUE(session->terminalSettingsAfterExit().empty());
}

TEST_F(TmuxHarness, RunsInWorkingDirectoryWithEnvironment) {
    auto session = shell(R"(pwd; printf '<%s>\n' "$E2E_VALUE"; echo "term=$TERM")", 120, 10,
                         {{"E2E_VALUE", "it's a \"test\" $HOME"}});
    ASSERT_TRUE(session->waitForExit(10s).has_value());
    const Screen& screen = session->lastScreen();
    EXPECT_EQ(screen.rowText(1).substr(0, dir_.path().string().size()), dir_.path().string()) << screen.describe();
    EXPECT_TRUE(screen.contains("<it's a \"test\" $HOME>")) << screen.describe();
    EXPECT_TRUE(screen.contains("term=xterm-256color")) << screen.describe();
}

TEST_F(TmuxHarness, PaneHasRequestedSize) {
    auto session = shell("stty size; sleep 30", 100, 40);
    ASSERT_TRUE(session->waitForText("40 100", 10s)) << session->lastScreen().describe();
    EXPECT_EQ(session->lastScreen().columns(), 100);
    EXPECT_EQ(session->lastScreen().rows(), 40);
    EXPECT_EQ(session->paneFormat("#{pane_width}x#{pane_height}"), "100x40");
}

TEST_F(TmuxHarness, SendsNamedKeysAndText) {
    auto session = shell(R"(read line; echo "got:$line"; sleep 30)");
    session->sendText("hello world");
    session->sendKeys({"Enter"});
    EXPECT_TRUE(session->waitForText("got:hello world", 10s)) << session->lastScreen().describe();
}

TEST_F(TmuxHarness, SendsRawBytes) {
    // An SGR mouse report as a terminal would send it, read back in hex.
    auto session = shell(R"(stty raw -echo; echo ready; dd bs=1 count=9 2>/dev/null | od -An -tx1; sleep 30)");
    ASSERT_TRUE(session->waitForText("ready", 10s));
    session->sendBytes("\033[<0;5;3M");
    EXPECT_TRUE(session->waitForText("1b 5b 3c 30 3b 35 3b 33 4d", 10s)) << session->lastScreen().describe();
}

TEST_F(TmuxHarness, ReadsPaneTitle) {
    auto session = shell(R"(printf '\033]2;Select files for statistical detection\007'; echo set; sleep 30)");
    ASSERT_TRUE(session->waitForText("set", 10s));
    EXPECT_EQ(session->title(), "Select files for statistical detection");
}

TEST_F(TmuxHarness, SeesMouseReportingModes) {
    auto session = shell(R"(printf '\033[?1000h\033[?1006h'; echo on; sleep 30)");
    ASSERT_TRUE(session->waitForText("on", 10s));
    EXPECT_EQ(session->paneFormat("#{mouse_any_flag}"), "1");
    EXPECT_EQ(session->paneFormat("#{mouse_sgr_flag}"), "1");

    auto plain = shell("echo off; sleep 30");
    ASSERT_TRUE(plain->waitForText("off", 10s));
    EXPECT_EQ(plain->paneFormat("#{mouse_any_flag}"), "0");
    EXPECT_EQ(plain->paneFormat("#{mouse_sgr_flag}"), "0");
}

TEST_F(TmuxHarness, RecordsTerminalSettingsAfterExit) {
    auto tidy = shell("true");
    ASSERT_TRUE(tidy->waitForExit(10s).has_value());
    const std::string good = tidy->terminalSettingsAfterExit();
    EXPECT_TRUE(sttyFlagOn(good, "echo")) << good;
    EXPECT_TRUE(sttyFlagOn(good, "icanon")) << good;

    // A program that leaves the terminal raw is caught.
    auto careless = shell("stty -echo -icanon");
    ASSERT_TRUE(careless->waitForExit(10s).has_value());
    const std::string bad = careless->terminalSettingsAfterExit();
    EXPECT_FALSE(sttyFlagOn(bad, "echo")) << bad;
    EXPECT_FALSE(sttyFlagOn(bad, "icanon")) << bad;
}

TEST_F(TmuxHarness, SessionsAreIndependent) {
    auto first = shell("echo first; sleep 30");
    auto second = shell("echo second; sleep 30");
    ASSERT_TRUE(first->waitForText("first", 10s));
    ASSERT_TRUE(second->waitForText("second", 10s));
    EXPECT_FALSE(first->lastScreen().contains("second"));
    EXPECT_FALSE(second->lastScreen().contains("first"));
}

TEST_F(TmuxHarness, WaitForStopsWhenTheProgramHasEnded) {
    auto session = shell("echo done");
    ASSERT_TRUE(session->waitForExit(10s).has_value());
    const auto before = std::chrono::steady_clock::now();
    EXPECT_FALSE(session->waitForText("never shown", 60s));
    EXPECT_LT(std::chrono::steady_clock::now() - before, 30s);
    EXPECT_TRUE(session->waitForText("done", 1s));
}

TEST_F(TmuxHarness, WaitForGivesUpAtTimeout) {
    auto session = shell("sleep 30");
    const auto before = std::chrono::steady_clock::now();
    EXPECT_FALSE(session->waitForText("never shown", 700ms));
    const auto waited = std::chrono::steady_clock::now() - before;
    EXPECT_GE(waited, 700ms);
}

}  // namespace
}  // namespace corrivex::e2e
