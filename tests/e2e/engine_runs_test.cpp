// Whole runs that end in engine runs: a start directory with batchs.ini
// (batch mode on, the course path "course"), data files in the course
// directory and an engine Quelmark.exe in the start directory. Data sets are
// chosen with the keys in the list box; each engine run is read back from
// quelmark.log in the start directory (its current directory, then its
// arguments, separated by '|'). Each test runs the native program and the
// win32 program under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine_log.h"
#include "program_test.h"
#include "start_directory.h"

namespace corrivex::e2e {
namespace {

namespace fs = std::filesystem;

const std::string kHint = "<ctl> click for mult. selection";

struct EngineRun {
    fs::path directory;
    std::vector<std::string> arguments;
};

// A directory as the engine logged it; a Windows path on drive Z: is the
// host path it stands for.
fs::path hostPath(std::string logged) {
    if (logged.size() >= 2 && (logged[0] == 'Z' || logged[0] == 'z') && logged[1] == ':') {
        logged.erase(0, 2);
        std::replace(logged.begin(), logged.end(), '\\', '/');
    }
    return logged;
}

std::vector<EngineRun> engineRuns(const fs::path& startDir) {
    std::vector<EngineRun> runs;
    for (testing::EngineLogEntry& entry : testing::parseEngineLog(readFile(startDir / "quelmark.log")))
        runs.push_back({hostPath(entry.directory), std::move(entry.arguments)});
    return runs;
}

class EngineRuns : public ProgramTest {
protected:
    // The start directory: settings with batch mode on and a relative course
    // path, the data files in course/, and `engine` as Quelmark.exe.
    void prepare(const std::vector<std::string>& dataFiles, const fs::path& engine) {
        writeFile(workDir(), "batchs.ini", settingsWith("y", "course"));
        fs::create_directory(course());
        for (const std::string& name : dataFiles) writeFile(course(), name, "KEY   ABCD\r\nS001  ABCD\r\n");
        if (!engine.empty()) fs::copy_file(engine, workDir() / "Quelmark.exe");
    }
    fs::path course() const { return workDir() / "course"; }
    fs::path standInEngine() const { return program().engineDirectory / "Quelmark.exe"; }
    // The engine of the launch tests, which crashes, is killed or asks on request.
    fs::path misbehavingEngine() const {
        return program().build == Build::Native
                   ? fs::path(CORRIVEX_E2E_MISBEHAVING_ENGINE_NATIVE)
                   : program().program.parent_path() / "tests" / "launch" / "misbehaving_engine.exe";
    }

    // Waits for the list box; fails the test when it does not come.
    ::testing::AssertionResult listBoxShown(TmuxSession& session, const std::string& entry) {
        const bool shown = session.waitFor([&entry](const Screen& s) { return s.contains(kHint) && s.contains(entry); },
                                           firstScreenTimeout());
        if (shown) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "no list box with " << entry << "\n" << session.lastScreen().describe();
    }

    void expectRuns(const std::vector<std::vector<std::string>>& expected) {
        const std::vector<EngineRun> runs = engineRuns(workDir());
        ASSERT_EQ(runs.size(), expected.size()) << readFile(workDir() / "quelmark.log");
        for (std::size_t i = 0; i < runs.size(); ++i) {
            std::error_code error;
            EXPECT_TRUE(fs::equivalent(runs[i].directory, workDir(), error)) << runs[i].directory;
            EXPECT_EQ(runs[i].arguments, expected[i]) << "run " << i + 1;
        }
    }
};

TEST_P(EngineRuns, ChosenDataSetsRunInListOrderInTheStartDirectory) {
    if (!fs::exists(standInEngine())) GTEST_SKIP() << "no stand-in engine at " << standInEngine();
    prepare({"alpha.txt", "ALPHA.dat", "beta.dat", "Gamma.TXT", "delta.e.txt"}, standInEngine());
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "GAMMA"));
    // ALPHA, BETA, DELTA.E, GAMMA: mark the first and the last two.
    session->sendKeys({"Space", "Down", "Down", "Space", "Down", "Space", "Enter"});
    expectCleanEnd(*session);
    expectRuns({{"ALPHA"}, {"DELTA.E"}, {"GAMMA"}});
    // The engine's own output is left on the screen.
    EXPECT_TRUE(session->capture().contains("Data set: GAMMA")) << session->lastScreen().describe();
}

TEST_P(EngineRuns, NothingChosenRunsNoEngine) {
    if (!fs::exists(standInEngine())) GTEST_SKIP() << "no stand-in engine at " << standInEngine();
    prepare({"alpha.txt", "beta.dat"}, standInEngine());
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "BETA"));
    session->sendKeys({"Enter"});
    expectCleanEnd(*session);
    EXPECT_FALSE(fs::exists(workDir() / "quelmark.log"));
}

TEST_P(EngineRuns, CancelRunsNoEngine) {
    if (!fs::exists(standInEngine())) GTEST_SKIP() << "no stand-in engine at " << standInEngine();
    prepare({"alpha.txt", "beta.dat"}, standInEngine());
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "BETA"));
    session->sendKeys({"Space", "Escape"});
    expectCleanEnd(*session);
    EXPECT_FALSE(fs::exists(workDir() / "quelmark.log"));
}

// The run ends normally, but no run that could not happen passes for one
// that did: a line for each says so.
TEST_P(EngineRuns, MissingEngineEndsTheRunNormallyAndSaysSo) {
    prepare({"alpha.txt", "beta.dat"}, fs::path());
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "BETA"));
    session->sendKeys({"Space", "Down", "Space", "Enter"});
    expectCleanEnd(*session);
    EXPECT_FALSE(fs::exists(workDir() / "quelmark.log"));
    const std::string said = "Could not start Quelmark.exe for ALPHA: not found\nCould not start Quelmark.exe for BETA";
    EXPECT_TRUE(session->capture().text().starts_with(said)) << session->lastScreen().describe();
}

TEST_P(EngineRuns, CrashingAndKilledEnginesDoNotStopTheRuns) {
    const fs::path engine = misbehavingEngine();
    if (!fs::exists(engine)) GTEST_SKIP() << "no misbehaving engine at " << engine;
    prepare({"crash.txt", "killed.dat", "zeta.txt"}, engine);
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "ZETA"));
    session->sendKeys({"Space", "Down", "Space", "Down", "Space", "Enter"});
    expectCleanEnd(*session);
    expectRuns({{"CRASH"}, {"KILLED"}, {"ZETA"}});
}

// An engine that asks a question reads the answer as a line, echoed, as it
// would when started on its own: the console's modes of the start are back
// while it runs.
TEST_P(EngineRuns, AnEngineReadsALineFromTheConsole) {
    const fs::path engine = misbehavingEngine();
    if (!fs::exists(engine)) GTEST_SKIP() << "no misbehaving engine at " << engine;
    prepare({"ask.txt"}, engine);
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "ASK"));
    session->sendKeys({"Space", "Enter"});
    ASSERT_TRUE(session->waitForText("Answer for ASK?", stepTimeout())) << session->lastScreen().describe();
    session->sendText("hello");
    session->sendKeys({"Enter"});
    expectCleanEnd(*session);
    expectRuns({{"ASK", "hello\\n"}});
    EXPECT_TRUE(session->capture().contains("Answer for ASK? hello")) << session->lastScreen().describe();
}

// Ctrl+C during an engine run reaches the engine, which ends (it would never
// end by itself), and the remaining runs go on.
TEST_P(EngineRuns, CtrlCEndsTheEngineRunNotTheFrontEnd) {
    const fs::path engine = misbehavingEngine();
    if (!fs::exists(engine)) GTEST_SKIP() << "no misbehaving engine at " << engine;
    prepare({"hold.dat", "next1.dat", "next2.dat"}, engine);  // .dat: sorted
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "NEXT2"));
    session->sendKeys({"Space", "Down", "Space", "Down", "Space", "Enter"});
    ASSERT_TRUE(session->waitForText("Holding", stepTimeout())) << session->lastScreen().describe();
    session->sendKeys({"C-c"});
    expectCleanEnd(*session);
    expectRuns({{"NEXT1"}, {"NEXT2"}});
}

// A start directory whose name the ANSI code page cannot spell: Windows
// gives it back with '?' for each such letter, a name that cannot be made
// current again after the course path. No engine may then run in the course
// directory, with its own Quelmark.exe; natively the name is bytes like any
// other, and the engine runs in the start directory.
TEST_P(EngineRuns, StartDirectoryThatCannotBeNamedRunsNoEngineElsewhere) {
    const fs::path engine = misbehavingEngine();
    if (!fs::exists(engine)) GTEST_SKIP() << "no misbehaving engine at " << engine;
    const fs::path startDir = workDir() /
                              "probe-\xE6\x97\xA5\xE6\x9C\xAC"
                              "2";
    fs::create_directory(startDir);
    fs::create_directory(startDir / "course");
    writeFile(startDir, "batchs.ini", settingsWith("y", "course"));
    writeFile(startDir / "course", "alpha.txt", "KEY   ABCD\r\n");
    fs::copy_file(engine, startDir / "Quelmark.exe");
    fs::copy_file(engine, startDir / "course" / "Quelmark.exe");
    auto session = start(RunOptions{80, 30, startDir, {}});
    ASSERT_TRUE(listBoxShown(*session, "ALPHA"));
    session->sendKeys({"Space", "Enter"});
    expectCleanEnd(*session);
    EXPECT_FALSE(fs::exists(startDir / "course" / "quelmark.log")) << readFile(startDir / "course" / "quelmark.log");
    if (program().build == Build::Native) {
        const std::vector<EngineRun> runs = engineRuns(startDir);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].arguments, std::vector<std::string>{"ALPHA"});
    } else {
        EXPECT_FALSE(fs::exists(startDir / "quelmark.log"));
    }
}

TEST_P(EngineRuns, CourseDirectoryDeletedWhileTheListIsOpen) {
    if (!fs::exists(standInEngine())) GTEST_SKIP() << "no stand-in engine at " << standInEngine();
    prepare({"alpha.txt", "beta.dat"}, standInEngine());
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "BETA"));
    fs::remove_all(course());
    session->sendKeys({"Down", "Space", "Enter"});
    expectCleanEnd(*session);
    expectRuns({{"BETA"}});
}

TEST_P(EngineRuns, ThousandAndOneDataFilesStayWithinTheList) {
    if (!fs::exists(standInEngine())) GTEST_SKIP() << "no stand-in engine at " << standInEngine();
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) names.push_back("set" + std::to_string(10000 + i) + ".txt");
    names.push_back("aaa.dat");
    prepare(names, standInEngine());
    auto session = start();
    ASSERT_TRUE(listBoxShown(*session, "AAA"));
    EXPECT_TRUE(session->lastScreen().contains("There are 1001 data sets in this directory; the list shows"));
    session->sendKeys({"Space"});
    pressEnd(*session);
    session->sendKeys({"Space", "Enter"});
    expectCleanEnd(*session);
    // With one .dat file the list is sorted; it holds AAA and the first 999
    // of the .txt names, the last one in order being left out.
    expectRuns({{"AAA"}, {"SET10998"}});
}

CORRIVEX_E2E_BOTH_BUILDS(EngineRuns);

}  // namespace
}  // namespace corrivex::e2e
