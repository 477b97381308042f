// The GoogleTest fixture of the end-to-end tests: one test body, run against
// the native build, and against the win32 build under Wine.
//
//   class FirstScreen : public corrivex::e2e::ProgramTest {};
//   TEST_P(FirstScreen, IsYellowOnGreen) {
//       auto session = start();                  // in workDir(), 80 x 30
//       ASSERT_TRUE(session->waitFor(..., firstScreenTimeout()));
//   }
//   CORRIVEX_E2E_BOTH_BUILDS(FirstScreen);
//
// A build that is missing, or that cannot run on this machine (no tmux, no
// usable Wine), makes the test skip with the reason.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <ostream>

#include "program_under_test.h"
#include "run_command.h"
#include "temp_dir.h"
#include "tmux_session.h"

namespace corrivex::e2e {

class ProgramTest : public ::testing::TestWithParam<Build> {
public:
    // Upper bounds of the waits, generous since Wine is slow to start (and
    // slower still where it runs under an emulator); the environment
    // variable CORRIVEX_E2E_TIMEOUT_FACTOR multiplies them.
    // Until the first screen:
    std::chrono::milliseconds firstScreenTimeout() const {
        return scaled(runsUnderWine(program_.build) ? std::chrono::seconds(180) : std::chrono::seconds(30));
    }
    // From one screen to the next, and to the end of the run:
    std::chrono::milliseconds stepTimeout() const {
        return scaled(runsUnderWine(program_.build) ? std::chrono::seconds(90) : std::chrono::seconds(20));
    }

protected:
    void SetUp() override {
        program_ = programUnderTest(GetParam());
        if (TmuxSession::tmuxProgram().empty()) GTEST_SKIP() << "tmux is not installed";
        if (!program_.unavailable.empty()) GTEST_SKIP() << program_.name << ": " << program_.unavailable;
    }

    const ProgramUnderTest& program() const { return program_; }
    // A fresh, empty directory for this test; the start directory by default.
    const std::filesystem::path& workDir() const { return workDir_.path(); }

    struct RunOptions {
        int columns = 80;
        int rows = 30;
        std::filesystem::path startDir;                                // the test's own directory when empty
        std::vector<std::pair<std::string, std::string>> environment;  // added to the build's own
        bool inGnuScreen = false;  // in a window of GNU screen, without the user's settings
    };
    static std::string gnuScreen() { return findInPath("screen"); }  // empty when not installed

    // Starts the program in a pane of columns x rows.
    std::unique_ptr<TmuxSession> start(RunOptions run) {
        SessionOptions options;
        options.command = program_.command;
        if (run.inGnuScreen) options.command = inGnuScreen(options.command);
        options.environment = program_.environment;
        options.environment.insert(options.environment.end(), run.environment.begin(), run.environment.end());
        options.workingDirectory = run.startDir.empty() ? workDir() : run.startDir;
        options.columns = run.columns;
        options.rows = run.rows;
        return std::make_unique<TmuxSession>(std::move(options));
    }
    std::unique_ptr<TmuxSession> start(int columns = 80, int rows = 30) {
        return start(RunOptions{columns, rows, {}, {}});
    }

    // Presses Home or End. Wine's console takes them from a terminal only in
    // their xterm forms (CSI H, CSI F), not as the CSI 1 ~ and CSI 4 ~ that
    // tmux sends; what the program reads is the same key either way.
    void pressHome(TmuxSession& session) const {
        if (runsUnderWine(program_.build)) session.sendBytes("\033[H");
        else session.sendKeys({"Home"});
    }
    void pressEnd(TmuxSession& session) const {
        if (runsUnderWine(program_.build)) session.sendBytes("\033[F");
        else session.sendKeys({"End"});
    }

    // The environment setting that lets the program find the stand-in
    // engine by name: PATH natively, WINEPATH under Wine.
    std::pair<std::string, std::string> engineOnPath() const { return engineSearchPath(program_); }

    // The exit code `code` and the terminal handed back in working order:
    // line input, echo, no mouse reporting.
    void expectCleanEnd(TmuxSession& session, int code = 0) const {
        const auto exit = session.waitForExit(stepTimeout());
        ASSERT_TRUE(exit.has_value()) << "the run did not end\n" << session.lastScreen().describe();
        EXPECT_EQ(*exit, code);
        const std::string stty = session.terminalSettingsAfterExit();
        EXPECT_TRUE(sttyFlagOn(stty, "echo")) << stty;
        EXPECT_TRUE(sttyFlagOn(stty, "icanon")) << stty;
        EXPECT_EQ(session.paneFormat("#{mouse_any_flag}"), "0");
    }

private:
    static std::chrono::milliseconds scaled(std::chrono::milliseconds timeout) {
        const char* factor = std::getenv("CORRIVEX_E2E_TIMEOUT_FACTOR");
        const double f = factor != nullptr ? std::atof(factor) : 1.0;
        return f > 0 ? std::chrono::milliseconds(static_cast<long long>(static_cast<double>(timeout.count()) * f))
                     : timeout;
    }

    ProgramUnderTest program_;
    TempDir workDir_{"corrivex-e2e-run"};
};

inline void PrintTo(Build build, std::ostream* os) { *os << buildName(build); }

inline std::string testNameOf(const ::testing::TestParamInfo<Build>& info) { return buildName(info.param); }

}  // namespace corrivex::e2e

#define CORRIVEX_E2E_BOTH_BUILDS(Suite)                                                                        \
    INSTANTIATE_TEST_SUITE_P(Builds, Suite,                                                                    \
                             ::testing::Values(::corrivex::e2e::Build::Native, ::corrivex::e2e::Build::Win32), \
                             ::corrivex::e2e::testNameOf)
