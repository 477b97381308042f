// A process that uses the console host on a terminal, ended normally and by
// signals from outside: the terminal gets its modes of the start back, mouse
// reporting off, the cursor shown and its own colours.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "pty_pair.h"
#include "terminal/terminal_modes_posix.h"
#include "vt_model.h"

namespace corrivex::platform {
namespace {

using testing::isRaw;
using testing::PtyPair;
using testing::sameSettings;
using testing::VtModel;

// The probe in a session of its own, with `in` as its controlling terminal;
// or, for job control, in a process group of its own in the session of the
// test (a process group without a parent in its session outside it ignores
// stops).
enum class Session { Own, JobOfTheTest };

pid_t startProbe(const char* scenario, int in, int out, int err, Session session = Session::Own) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (session == Session::Own) {
            setsid();
            if (isatty(in) != 0) ioctl(in, TIOCSCTTY, 0);
        } else {
            setpgid(0, 0);
        }
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execl(TERMINAL_PROBE, TERMINAL_PROBE, scenario, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// What a terminal that took all of `bytes` shows of the modes.
void expectGivenBack(const std::string& bytes) {
    VtModel model(80, 25);
    model.feed(bytes);
    EXPECT_FALSE(model.privateMode(1000));
    EXPECT_FALSE(model.privateMode(1002));
    EXPECT_FALSE(model.privateMode(1006));
    EXPECT_TRUE(model.cursorVisible());
    EXPECT_EQ(model.pen(), testing::VtCell{});
    // What was drawn stays; the title of the start is back.
    EXPECT_EQ(model.at(3, 3).ch, U'X');
    EXPECT_EQ(model.at(3, 3).bg, 42);
    EXPECT_EQ(model.title(), "");
    EXPECT_GT(model.titleChanges(), 0);
}

const std::string kGivenBack = std::string(kTerminalRestore) + std::string(kTitleRestore);

TEST(TerminalProcess, ANormalEndGivesTheTerminalBack) {
    PtyPair pty(80, 25);
    const pid_t pid = startProbe("run", pty.slave(), pty.slave(), pty.slave());
    std::string bytes = pty.readUntil("<<ready>>");
    EXPECT_TRUE(isRaw(pty.now()));
    EXPECT_NE(bytes.find(kMouseReportingOn), std::string::npos);
    EXPECT_NE(bytes.find("\x1b[?25l"), std::string::npos);

    // Ctrl+C is a key, no signal.
    pty.type("\x03");
    pty.type("q");
    const int status = waitFor(pid);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string rest = pty.readRest();
    EXPECT_EQ(rest, kGivenBack);
    EXPECT_TRUE(sameSettings(pty.now(), pty.start()));
    expectGivenBack(bytes + rest);
}

class TerminalProcessSignal : public ::testing::TestWithParam<int> {};

TEST_P(TerminalProcessSignal, ASignalFromOutsideGivesTheTerminalBackAndEndsTheProcess) {
    const int signal = GetParam();
    PtyPair pty(80, 25);
    const pid_t pid = startProbe("run", pty.slave(), pty.slave(), pty.slave());
    const std::string bytes = pty.readUntil("<<ready>>");
    ASSERT_TRUE(isRaw(pty.now()));

    kill(pid, signal);
    const int status = waitFor(pid);
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), signal);
    const std::string rest = pty.readRest();
    EXPECT_EQ(rest, kGivenBack);
    EXPECT_TRUE(sameSettings(pty.now(), pty.start()));
    expectGivenBack(bytes + rest);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminalProcessSignal,
                         ::testing::Values(SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE,
                                           SIGABRT, SIGXCPU),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(sigabbrev_np(info.param));
                         });

// A stop gives the terminal back as it was; on continuing the raw modes and
// the whole screen come back.
TEST(TerminalProcess, AStopGivesTheTerminalBackAndContinuingTakesItAgain) {
    PtyPair pty(80, 25);
    const pid_t pid = startProbe("run", pty.slave(), pty.slave(), pty.slave(), Session::JobOfTheTest);
    const std::string drawn = pty.readUntil("<<ready>>");
    ASSERT_TRUE(isRaw(pty.now()));

    kill(pid, SIGTSTP);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, WUNTRACED), pid);
    ASSERT_TRUE(WIFSTOPPED(status)) << status;
    const std::string stopped = pty.readRest();
    EXPECT_EQ(stopped, kGivenBack);
    EXPECT_TRUE(sameSettings(pty.now(), pty.start()));
    expectGivenBack(drawn + stopped);

    kill(pid, SIGCONT);
    const std::string again = pty.readUntil("<<resized 80x25>>");
    EXPECT_TRUE(isRaw(pty.now()));
    VtModel model(80, 25);
    model.feed(drawn + stopped + std::string(80 * 25, ' ') + again);  // a shell wrote over everything
    EXPECT_EQ(model.at(3, 3).ch, U'X');
    EXPECT_EQ(model.at(79, 24).bg, 42);
    EXPECT_TRUE(model.privateMode(1000));
    EXPECT_EQ(model.title(), "probe");

    pty.type("\x03q");
    EXPECT_EQ(WEXITSTATUS(waitFor(pid)), 0);
    EXPECT_EQ(pty.readRest(), kGivenBack);
}

TEST(TerminalProcess, AResizeOfTheTerminalRedrawsAndIsReported) {
    PtyPair pty(80, 25);
    const pid_t pid = startProbe("run", pty.slave(), pty.slave(), pty.slave());
    pty.readUntil("<<ready>>");
    pty.resize(30, 10);
    const std::string bytes = pty.readUntil("<<resized 30x10>>");
    // Drawn again whole, clipped to the new size.
    VtModel model(30, 10);
    model.feed(bytes);
    EXPECT_EQ(model.at(3, 3).ch, U'X');
    EXPECT_EQ(model.at(29, 9).bg, 42);
    EXPECT_TRUE(model.unknown().empty());
    pty.type("\x03q");
    EXPECT_EQ(WEXITSTATUS(waitFor(pid)), 0);
}

TEST(TerminalProcess, OutputGoesToStandardErrorWhenStandardOutputIsNoTerminal) {
    PtyPair pty(80, 25);
    const int devNull = open("/dev/null", O_WRONLY);
    const pid_t pid = startProbe("run", pty.slave(), devNull, pty.slave());
    close(devNull);
    const std::string bytes = pty.readUntil("<<ready>>");
    VtModel model(80, 25);
    model.feed(bytes);
    EXPECT_EQ(model.at(3, 3).ch, U'X');
    pty.type("\x03q");
    EXPECT_EQ(WEXITSTATUS(waitFor(pid)), 0);
    EXPECT_EQ(pty.readRest(), kGivenBack);
}

// `corrivex >log 2>&1` at a terminal: the screen goes to the controlling
// terminal, and keys come from standard input.
TEST(TerminalProcess, WithBothOutputsRedirectedTheScreenGoesToTheControllingTerminal) {
    PtyPair pty(80, 25);
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t pid = startProbe("run", pty.slave(), out[1], out[1]);
    close(out[1]);
    std::string said;
    char chunk[64];
    for (ssize_t n; said.find("<<ready>>") == std::string::npos && (n = read(out[0], chunk, sizeof chunk)) > 0;)
        said.append(chunk, static_cast<std::size_t>(n));
    ASSERT_EQ(said, "<<ready>>");
    EXPECT_TRUE(isRaw(pty.now()));
    pty.type("\x03q");
    EXPECT_EQ(WEXITSTATUS(waitFor(pid)), 0);
    VtModel model(80, 25);
    model.feed(pty.readRest());
    EXPECT_EQ(model.at(3, 3).ch, U'X');
    EXPECT_TRUE(sameSettings(pty.now(), pty.start()));
    close(out[0]);
}

TEST(TerminalProcess, WithoutATerminalTheRunGoesOnAndShowsNothing) {
    int out[2];
    int err[2];
    ASSERT_EQ(pipe(out), 0);
    ASSERT_EQ(pipe(err), 0);
    const int devNull = open("/dev/null", O_RDONLY);
    const pid_t pid = startProbe("none", devNull, out[1], err[1]);
    close(devNull);
    close(out[1]);
    close(err[1]);
    auto readAll = [](int fd) {
        std::string s;
        char chunk[512];
        for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;) s.append(chunk, static_cast<std::size_t>(n));
        close(fd);
        return s;
    };
    EXPECT_EQ(readAll(out[0]), "hasOutput=0 readInput=0\n");
    EXPECT_EQ(readAll(err[0]), "");
    const int status = waitFor(pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace corrivex::platform
