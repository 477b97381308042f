// runCommand with a real child program (child_program.cpp): the words of the
// command line, the wait, the program search, the console hand-over, and on
// POSIX the signals and the descriptors the child does not inherit.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

#include <map>
#include <sstream>

#include "memory_console_host.h"
#include "primitives/child_console.h"
#include "primitives/directory.h"
#include "primitives/length_limits.h"
#include "primitives/process.h"
#include "primitives/text_file.h"
#include "primitives_support.h"

namespace corrivex::test {
namespace {

const Text kChild = "primitives_child";

// What the child wrote into its log.
struct ChildLog {
    bool exists = false;
    bool complete = false;  // the last line, "end", is there
    Text exe;
    Text cwd;
    std::vector<Text> args;
    std::vector<Text> fds;
    std::map<Text, Text> facts;
};

ChildLog readChildLog(const fs::path& file) {
    ChildLog log;
    log.exists = fs::exists(file);
    std::istringstream lines(readBytes(file));
    for (Text line; std::getline(lines, line);) {
        const std::size_t blank = line.find(' ');
        const Text key = line.substr(0, blank);
        const Text value = blank == Text::npos ? Text() : line.substr(blank + 1);
        if (key == "end") {
            log.complete = true;
        } else if (key == "exe") {
            log.exe = value;
        } else if (key == "cwd") {
            log.cwd = value;
        } else if (key == "arg") {
            log.args.push_back(value);
        } else if (key == "fd") {
            log.fds.push_back(value);
        } else {
            log.facts[key] = value;
        }
    }
    return log;
}

// A memory console that also notes, at each hand-over, how far the child's
// log has got.
class RecordingHost : public platform::MemoryConsoleHost {
public:
    explicit RecordingHost(fs::path log) : log_(std::move(log)) {}
    void beginChild() override {
        MemoryConsoleHost::beginChild();
        logExistedAtBegin = fs::exists(log_);
    }
    void endChild() override {
        MemoryConsoleHost::endChild();
        logCompleteAtEnd = readChildLog(log_).complete;
    }
    bool logExistedAtBegin = true;
    bool logCompleteAtEnd = false;

private:
    fs::path log_;
};

// Gives runCommand a console to hand over for as long as it lives, as the
// process frame gives it the console of the process; then none again.
class GivenConsole {
public:
    explicit GivenConsole(platform::ConsoleHost& host) { setChildConsole(&host); }
    ~GivenConsole() { setChildConsole(nullptr); }
    GivenConsole(const GivenConsole&) = delete;
    GivenConsole& operator=(const GivenConsole&) = delete;
};

void copyProgram(const fs::path& to) {
    fs::copy_file(ownDirectory() / programFile(kChild), to, fs::copy_options::overwrite_existing);
    fs::permissions(to, fs::perms::owner_all, fs::perm_options::add);
}

// The children share the test's output; the terminal of the test run is
// never handed over: runCommand is given no console but a test's own.
class RunCommand : public ScratchDirectory {};

// Windows hands the child its command tail, which its C runtime splits at
// blanks; a POSIX child gets the rest of the line as one argument, as
// Notepad takes the whole tail as one file name.
TEST_F(RunCommand, TheRestOfTheLineReachesTheChild) {
    runCommand(kChild + "   words.log  alpha     beta  ", kShowNormal, true);
    const ChildLog log = readChildLog("words.log");
    ASSERT_TRUE(log.complete);
#ifdef _WIN32
    EXPECT_EQ(log.args, (std::vector<Text>{"words.log", "alpha", "beta"}));
#else
    EXPECT_EQ(log.args, (std::vector<Text>{"words.log  alpha     beta  "}));
#endif
}

TEST_F(RunCommand, TheChildStartsInTheCurrentDirectory) {
    fs::create_directory("sub");
    fs::current_path("sub");
    runCommand(kChild + " here.log", kShowNormal, true);
    const ChildLog log = readChildLog("here.log");
    ASSERT_TRUE(log.complete);
    EXPECT_TRUE(fs::equivalent(log.cwd, root() / "sub"));
}

TEST_F(RunCommand, TheChildInheritsTheEnvironment) {
    const EnvironmentOverride probe("CORRIVEX_PRIMITIVES_PROBE", "inherited");
    runCommand(kChild + " env.log --env", kShowNormal, true);
    EXPECT_EQ(readChildLog("env.log").facts["env"], "inherited");
}

TEST_F(RunCommand, ReturnsOnlyWhenTheChildHasEnded) {
    runCommand(kChild + " wait.log --sleep", kShowNormal, true);
    const ChildLog log = readChildLog("wait.log");
    EXPECT_TRUE(log.exists);
    EXPECT_TRUE(log.complete);
}

// Cut, the line would give the child another argument; it is not run.
TEST_F(RunCommand, ACommandLineBeyondTheLimitStartsNothing) {
    const Text start = kChild + " cut.log a";
    const Text whole = start + Text(limits::kCommandLine - 1 - start.size(), ' ') + "b";
    ASSERT_EQ(whole.size(), limits::kCommandLine);
    EXPECT_EQ(runCommand(whole + "c", kShowNormal, true), StartResult::TooLong);
    EXPECT_FALSE(fs::exists("cut.log"));
    EXPECT_EQ(runCommand(whole, kShowNormal, true), StartResult::Started);
    EXPECT_EQ(readChildLog("cut.log").args.back().back(), 'b');
}

TEST_F(RunCommand, AMissingProgramStartsNothingAndReturnsAtOnce) {
    RecordingHost host("missing.log");
    const GivenConsole given(host);
    fs::create_directory(programFile("a-directory"));
    EXPECT_EQ(runCommand("corrivex-no-such-program missing.log", kShowNormal, true), StartResult::NotFound);
    for (const Text& line : {Text("a-directory missing.log"), Text(), Text("     ")})
        EXPECT_NE(runCommand(line, kShowNormal, true), StartResult::Started) << line;
    EXPECT_FALSE(fs::exists("missing.log"));
    EXPECT_TRUE(host.childEvents().empty());
}

TEST_F(RunCommand, ACommandHoldingNulStartsNothing) {
    runCommand(kChild + Text(" nul.log\0tail", 13), kShowNormal, true);
    EXPECT_FALSE(fs::exists("nul.log"));
}

TEST_F(RunCommand, AFirstWordWithASeparatorIsAPath) {
    fs::create_directory("bin");
    copyProgram(fs::path("bin") / programFile("probe"));
    runCommand("bin" + pathSeparator() + "probe path.log", kShowNormal, true);
    const ChildLog log = readChildLog("path.log");
    ASSERT_TRUE(log.complete);
    EXPECT_TRUE(fs::equivalent(log.exe, root() / "bin" / programFile("probe")));
}

// Own directory first, then the current directory, then PATH: each probe
// exists in every place after the one where it must be found.
TEST_F(RunCommand, TheProgramIsLookedForInOwnDirectoryThenCurrentDirectoryThenPath) {
    fs::create_directory("on-path");
    const fs::path onPath = root() / "on-path";
    copyProgram(programFile(kChild));
    copyProgram(onPath / programFile(kChild));
    copyProgram(programFile("probe-cwd"));
    copyProgram(onPath / programFile("probe-cwd"));
    copyProgram(onPath / programFile("probe-path"));
    const char* oldPath = std::getenv("PATH");
    const EnvironmentOverride path(
        "PATH", onPath.string() + (oldPath ? pathListSeparator() + std::string(oldPath) : std::string()));

    runCommand(kChild + " own.log", kShowNormal, true);
    runCommand("probe-cwd cwd.log", kShowNormal, true);
    runCommand("probe-path path.log", kShowNormal, true);
    const ChildLog own = readChildLog("own.log");
    const ChildLog cwd = readChildLog("cwd.log");
    const ChildLog onPathLog = readChildLog("path.log");
    ASSERT_TRUE(own.complete && cwd.complete && onPathLog.complete);
    EXPECT_TRUE(fs::equivalent(own.exe, ownDirectory() / programFile(kChild)));
    EXPECT_TRUE(fs::equivalent(cwd.exe, root() / programFile("probe-cwd")));
    EXPECT_TRUE(fs::equivalent(onPathLog.exe, onPath / programFile("probe-path")));
#ifndef _WIN32
    // Along PATH alone, as a shell looks, but for the entries taken from the
    // current directory: no copy there or below it counts.
    fs::create_directory("course-bin");
    copyProgram(fs::path("course-bin") / programFile("probe-cwd"));
    const std::string searched = std::getenv("PATH");
    for (const char* before : {"", ":", ".:", "course-bin:"}) {
        const EnvironmentOverride entries("PATH", before + searched);
        runCommand("probe-cwd cwd-path.log", kShowNormal, true, ProgramSearch::PathOnly);
        EXPECT_TRUE(fs::equivalent(readChildLog("cwd-path.log").exe, onPath / programFile("probe-cwd"))) << before;
        fs::remove("cwd-path.log");
    }
#endif
}

TEST_F(RunCommand, TheConsoleIsHandedOverAroundTheChild) {
    RecordingHost host("handover.log");
    const GivenConsole given(host);
    runCommand(kChild + " handover.log --sleep", kShowNormal, true);
    ASSERT_TRUE(readChildLog("handover.log").complete);
    EXPECT_EQ(host.childEvents(), (std::vector<std::string>{"begin", "end"}));
    EXPECT_FALSE(host.logExistedAtBegin) << "handed over before the child started";
    EXPECT_TRUE(host.logCompleteAtEnd) << "taken back after the child ended";
}

#ifdef _WIN32
// A front end started at idle priority still runs its editor and engine at
// normal priority.
TEST_F(RunCommand, TheChildRunsAtNormalPriority) {
    const HANDLE self = GetCurrentProcess();
    const DWORD before = GetPriorityClass(self);
    ASSERT_TRUE(SetPriorityClass(self, IDLE_PRIORITY_CLASS));
    runCommand(kChild + " priority.log --priority", kShowNormal, true);
    SetPriorityClass(self, before);
    EXPECT_EQ(readChildLog("priority.log").facts["priority"], "normal");
}
#endif

TEST_F(RunCommand, TextEditorIsThePlatformsOwn) {
    EXPECT_EQ(textEditor(), kOpenFilesAreExclusive ? "notepad" : "editor");
}

#ifndef _WIN32
volatile sig_atomic_t signalsCaught = 0;
void countSignal(int) { signalsCaught = signalsCaught + 1; }

// While it waits the front end ignores SIGINT and SIGQUIT, as system(3)
// does; the child starts with default dispositions and nothing blocked; the
// front end's own dispositions are back afterwards.
TEST_F(RunCommand, InterruptsAreIgnoredWhileWaitingAndTheChildGetsDefaults) {
    struct sigaction counting {};
    counting.sa_handler = countSignal;
    sigemptyset(&counting.sa_mask);
    struct sigaction ignoring {};
    ignoring.sa_handler = SIG_IGN;
    sigemptyset(&ignoring.sa_mask);
    struct sigaction oldInterrupt {};
    struct sigaction oldQuit {};
    ASSERT_EQ(sigaction(SIGINT, &counting, &oldInterrupt), 0);
    ASSERT_EQ(sigaction(SIGQUIT, &ignoring, &oldQuit), 0);
    signalsCaught = 0;

    runCommand(kChild + " signals.log --interrupt --sleep --signals", kShowNormal, true);

    struct sigaction interruptAfter {};
    struct sigaction quitAfter {};
    sigaction(SIGINT, &oldInterrupt, &interruptAfter);
    sigaction(SIGQUIT, &oldQuit, &quitAfter);
    ChildLog log = readChildLog("signals.log");
    ASSERT_TRUE(log.complete);
    EXPECT_EQ(signalsCaught, 0);
    EXPECT_EQ(log.facts["sigint"], "default");
    EXPECT_EQ(log.facts["sigquit"], "default");
    EXPECT_EQ(log.facts["blocked"], "no");
    EXPECT_EQ(interruptAfter.sa_handler, &countSignal);
    EXPECT_EQ(quitAfter.sa_handler, SIG_IGN);
}

// The front end's open text files and its listing stay its own.
TEST_F(RunCommand, TheChildInheritsNoOpenTextFileAndNoListing) {
    writeBytes("input.txt", "i\r\n");
    openFile(1, "input.txt", FileMode::Input);
    openFile(111, "held.txt", FileMode::Output);
    ASSERT_FALSE(dirFirst("*", attr::kNone).empty());  // three files: the listing stays open
    runCommand(kChild + " fds.log --fds", kShowNormal, true);
    const ChildLog log = readChildLog("fds.log");
    ASSERT_TRUE(log.complete);
    EXPECT_FALSE(log.fds.empty());
    for (const Text& target : log.fds) {
        EXPECT_EQ(target.find("input.txt"), Text::npos);
        EXPECT_EQ(target.find("held.txt"), Text::npos);
        EXPECT_NE(target, root().string()) << "the listing's directory";
    }
    EXPECT_FALSE(dirNext().empty()) << "the listing goes on";
    closeFile(1);
    closeFile(111);
}

TEST_F(RunCommand, ANonExecutableFileIsNoProgram) {
    writeBytes("plain", "not a program");
    RecordingHost host("plain.log");
    const GivenConsole given(host);
    EXPECT_EQ(runCommand("plain plain.log", kShowNormal, true), StartResult::NotExecutable);
    EXPECT_EQ(runCommand("./plain plain.log", kShowNormal, true), StartResult::NotExecutable);
    EXPECT_FALSE(fs::exists("plain.log"));
    EXPECT_TRUE(host.childEvents().empty());
}
#endif

}  // namespace
}  // namespace corrivex::test
