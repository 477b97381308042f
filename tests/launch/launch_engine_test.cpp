// The engine runs, with an engine that logs each run to quelmark.log in its
// current directory and misbehaves on request (misbehaving_engine.cpp). The
// engine lies in the start directory only: the program search would find one
// beside this test program first.
#include "launch/launch_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "console/console_output.h"
#include "console/console_state.h"
#include "engine_log.h"
#include "memory_console_host.h"
#include "primitives/length_limits.h"
#include "scratch_directory.h"

namespace corrivex::launch {
namespace {

namespace fs = std::filesystem;
using testing::CurrentDirectoryScope;
using testing::ScratchDirectory;
using testing::writeFile;

std::vector<testing::EngineLogEntry> readLog(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return testing::parseEngineLog(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

NameList namesOf(const std::vector<Text>& names) {
    NameList list{};
    for (std::size_t i = 0; i < names.size(); ++i) list[i] = names[i];
    return list;
}

class LaunchEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        console::prepareConsole(host_);
        inside_ = std::make_unique<CurrentDirectoryScope>(elsewhere_.path());
    }
    void TearDown() override { inside_.reset(); }

    void placeEngine(const ScratchDirectory& directory) {
        fs::copy_file(fs::path(MISBEHAVING_ENGINE), directory.path() / kEngineProgram);
    }
    std::vector<testing::EngineLogEntry> log(const ScratchDirectory& directory) const {
        return readLog(directory.path() / "quelmark.log");
    }
    void launch(const std::vector<Text>& names) {
        launchEngine(start_.text(), namesOf(names), static_cast<std::int16_t>(names.size()));
    }
    void launch(const std::vector<Text>& names, std::int16_t count) {
        launchEngine(start_.text(), namesOf(names), count);
    }
    std::string row(int y) const { return std::string(trimmed(host_.rowText(y))); }
    bool screenUntouched() const {
        for (int y = 0; y < host_.size().y; ++y)
            if (host_.rowText(y).find_first_not_of(' ') != std::string::npos) return false;
        return host_.cursor() == platform::CellPos{0, 0};
    }

    platform::MemoryConsoleHost host_{{80, 25}};
    ScratchDirectory start_;
    ScratchDirectory elsewhere_;  // current when the step begins, as the course directory is
    std::unique_ptr<CurrentDirectoryScope> inside_;
};

TEST(EngineCommand, ProgramThreeBlanksAndTheName) {
    EXPECT_EQ(engineCommand("ALPHA"), "Quelmark.exe   ALPHA");
    EXPECT_EQ(engineCommand(""), "Quelmark.exe   ");
    EXPECT_EQ(engineCommand("DELTA E"), "Quelmark.exe   DELTA E");
}

TEST_F(LaunchEngineTest, RunsEachChosenNameInOrderInTheStartDirectory) {
    placeEngine(start_);
    launch({"ALPHA", "BETA", "GAMMA"});

    const std::vector<testing::EngineLogEntry> runs = log(start_);
    ASSERT_EQ(runs.size(), 3u);
    const char* expected[] = {"ALPHA", "BETA", "GAMMA"};
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_TRUE(fs::equivalent(runs[i].directory, start_.path())) << runs[i].directory;
        EXPECT_EQ(runs[i].arguments, std::vector<std::string>{expected[i]});
    }
    EXPECT_TRUE(fs::equivalent(fs::current_path(), start_.path()));
    EXPECT_TRUE(screenUntouched());
}

TEST_F(LaunchEngineTest, EachRunEndsBeforeTheNextStarts) {
    placeEngine(start_);
    launch({"SLOW", "AFTER", "SLOW", "LAST"});
    // SLOW logs only after half a second: overlapping runs would log out of order.
    const std::vector<testing::EngineLogEntry> runs = log(start_);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].arguments, std::vector<std::string>{"SLOW"});
    EXPECT_EQ(runs[1].arguments, std::vector<std::string>{"AFTER"});
    EXPECT_EQ(runs[2].arguments, std::vector<std::string>{"SLOW"});
    EXPECT_EQ(runs[3].arguments, std::vector<std::string>{"LAST"});
}

TEST_F(LaunchEngineTest, OnlyTheCountedEntriesRun) {
    placeEngine(start_);
    launch({"ALPHA", "BETA", "GAMMA"}, 2);
    const std::vector<testing::EngineLogEntry> runs = log(start_);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].arguments, std::vector<std::string>{"BETA"});
}

TEST_F(LaunchEngineTest, NothingChosenRunsNothingButReturnsToTheStartDirectory) {
    placeEngine(start_);
    launch({"ALPHA"}, 0);
    EXPECT_FALSE(fs::exists(start_.path() / "quelmark.log"));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), start_.path()));
    launch({"ALPHA"}, -5);
    EXPECT_FALSE(fs::exists(start_.path() / "quelmark.log"));
}

// Windows gives the engine its command tail, split at blanks by its C
// runtime; a POSIX engine gets the name whole, its own blanks included.
TEST_F(LaunchEngineTest, NameWithBlanksReachesTheEngineAsThePlatformSplitsIt) {
    placeEngine(start_);
    launch({"DELTA E", " X "});
    const std::vector<testing::EngineLogEntry> runs = log(start_);
    ASSERT_EQ(runs.size(), 2u);
#ifdef _WIN32
    EXPECT_EQ(runs[0].arguments, (std::vector<std::string>{"DELTA", "E"}));
    EXPECT_EQ(runs[1].arguments, std::vector<std::string>{"X"});
#else
    EXPECT_EQ(runs[0].arguments, std::vector<std::string>{"DELTA E"});
    EXPECT_EQ(runs[1].arguments, std::vector<std::string>{"X "});
#endif
}

TEST_F(LaunchEngineTest, HighBytesReachTheEngine) {
    placeEngine(start_);
    launch({"CAF\xC9", "\x8ERGER"});
    const std::vector<testing::EngineLogEntry> runs = log(start_);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].arguments, std::vector<std::string>{"CAF\xC9"});
    EXPECT_EQ(runs[1].arguments, std::vector<std::string>{"\x8ERGER"});
}

// Cut, the command would name another data set: that run is left out and
// the next name goes on.
TEST_F(LaunchEngineTest, ANameTooLongForTheCommandLineIsNotRun) {
    placeEngine(start_);
    const Text prefix = engineCommand("");
    const Text longest(limits::kCommandLine - prefix.size(), 'Q');
    launch({longest + "Q", "NEXT", longest});
    const std::vector<testing::EngineLogEntry> runs = log(start_);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].arguments, std::vector<std::string>{"NEXT"});
    EXPECT_EQ(runs[1].arguments, std::vector<std::string>{longest});
}

// A run that cannot happen is skipped after one line that says so, in the
// colours in force; the next name goes on.
TEST_F(LaunchEngineTest, MissingEngineIsSkippedWithALineForEachRun) {
    console::setTextColors(13, 15);
    const auto begin = std::chrono::steady_clock::now();
    launch({"ALPHA", "BETA"});
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(30));
    EXPECT_FALSE(fs::exists(start_.path() / "quelmark.log"));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), start_.path()));
    EXPECT_EQ(row(0), "Could not start Quelmark.exe for ALPHA: not found");
    EXPECT_EQ(row(1), "Could not start Quelmark.exe for BETA: not found");
    EXPECT_EQ(host_.at(0, 1).attr, 0xFD);
}

TEST_F(LaunchEngineTest, EngineThatCannotStartIsSkipped) {
    {
        const CurrentDirectoryScope there(start_.path());
        ASSERT_TRUE(writeFile(kEngineProgram, "this is no program\n"));
    }
    fs::permissions(start_.path() / kEngineProgram, fs::perms::owner_all, fs::perm_options::add);
    launch({"ALPHA", "BETA"});
    EXPECT_FALSE(fs::exists(start_.path() / "quelmark.log"));
    EXPECT_EQ(row(1), "Could not start Quelmark.exe for BETA: not executable");
}

TEST_F(LaunchEngineTest, CrashingEngineDoesNotStopTheNextRun) {
    placeEngine(start_);
    launch({"CRASH", "ALPHA", "CRASH", "BETA"});
    const std::vector<testing::EngineLogEntry> runs = log(start_);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[1].arguments, std::vector<std::string>{"ALPHA"});
    EXPECT_EQ(runs[3].arguments, std::vector<std::string>{"BETA"});
}

TEST_F(LaunchEngineTest, KilledEngineDoesNotStopTheNextRun) {
    placeEngine(start_);
    launch({"KILLED", "ALPHA"});
    const std::vector<testing::EngineLogEntry> runs = log(start_);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].arguments, std::vector<std::string>{"ALPHA"});
}

// The engine of the directory that is current (the course directory) must
// not run in place of the start directory's.
TEST_F(LaunchEngineTest, StartDirectoryThatCannotBeMadeCurrentRunsNoEngine) {
    placeEngine(elsewhere_);
    launchEngine((start_.path() / "gone").string(), namesOf({"ALPHA"}), 1);
    launchEngine("", namesOf({"BETA"}), 1);
    EXPECT_FALSE(fs::exists(elsewhere_.path() / "quelmark.log"));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), elsewhere_.path()));
    EXPECT_EQ(row(1), "Could not start Quelmark.exe for BETA: start directory unreachable");
}

}  // namespace
}  // namespace corrivex::launch
