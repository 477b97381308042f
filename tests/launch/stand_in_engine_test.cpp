// The stand-in engine Quelmark.exe: what it shows and what it logs, run in a
// start directory of its own as the front end runs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "scratch_directory.h"

#ifdef _WIN32
#define popen _popen
#define pclose _pclose
#endif

namespace corrivex {
namespace {

namespace fs = std::filesystem;
using testing::CurrentDirectoryScope;
using testing::ScratchDirectory;
using testing::writeFile;

std::string settings(const std::string& coursePath) {
    std::string text = "Activate the batch mode?\r\ny\r\n";
    for (int entry = 2; entry <= 13; ++entry)
        text += "Question " + std::to_string(entry) + "\r\nanswer" + std::to_string(entry) + "\r\n";
    return text + "Specify path to course files (eg. c:\\courses\\)\r\n" + coursePath + "\r\n";
}

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class StandInEngineTest : public ::testing::Test {
protected:
    void SetUp() override { inside_ = std::make_unique<CurrentDirectoryScope>(start_.path()); }
    void TearDown() override { inside_.reset(); }

    // Runs the engine in the start directory; its standard output.
    std::string run(const std::string& arguments) {
        const std::string command = "\"" + fs::path(STAND_IN_ENGINE).make_preferred().string() + "\" " + arguments;
        std::string output;
        if (std::FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[4096];
            while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
            exitCode_ = pclose(pipe);
        }
        return output;
    }

    ScratchDirectory start_;
    std::unique_ptr<CurrentDirectoryScope> inside_;
    int exitCode_ = -1;
};

TEST_F(StandInEngineTest, ShowsTheDataSetItsFilesAndTheAnswers) {
    ASSERT_TRUE(writeFile("batchs.ini", settings("course")));
    fs::create_directory("course");
    ASSERT_TRUE(writeFile("course/quiz1.txt", "12345"));
    ASSERT_TRUE(writeFile("course/QUIZ1.Dat", "123"));
    ASSERT_TRUE(writeFile("course/quiz10.txt", "1"));
    ASSERT_TRUE(writeFile("quiz1.txt", "not in the course directory"));

    const std::string output = run("QUIZ1");
    EXPECT_EQ(exitCode_, 0);
    EXPECT_NE(output.find("Data set: QUIZ1"), std::string::npos) << output;
    EXPECT_NE(output.find("quiz1.txt  5 bytes"), std::string::npos) << output;
    EXPECT_NE(output.find("QUIZ1.Dat  3 bytes"), std::string::npos) << output;
    EXPECT_EQ(output.find("quiz10"), std::string::npos) << output;
    EXPECT_EQ(output.find("27 bytes"), std::string::npos) << output;
    EXPECT_NE(output.find("y | answer2 | answer3"), std::string::npos) << output;
    EXPECT_NE(output.find("answer13 | course"), std::string::npos) << output;
}

TEST_F(StandInEngineTest, LooksInTheCurrentDirectoryWithoutACoursePath) {
    ASSERT_TRUE(writeFile("batchs.ini", settings("   ")));
    ASSERT_TRUE(writeFile("Beta.TXT", "1234567"));
    const std::string output = run("BETA");
    EXPECT_NE(output.find("Beta.TXT  7 bytes"), std::string::npos) << output;
}

TEST_F(StandInEngineTest, AppendsItsDirectoryAndArgumentsToTheLog) {
    run("ALPHA");
    run("DELTA E");
    const std::string log = readAll("quelmark.log");
    const std::string here = fs::current_path().string();
    std::string expected = here + "|ALPHA\n" + here + "|DELTA|E\n";
#ifdef _WIN32
    expected = here + "|ALPHA\r\n" + here + "|DELTA|E\r\n";
#endif
    EXPECT_EQ(log, expected);
}

TEST_F(StandInEngineTest, RunsWithoutSettingsFileOrDataSet) {
    const std::string output = run("");
    EXPECT_EQ(exitCode_, 0);
    EXPECT_NE(output.find("Data set: (none given)"), std::string::npos) << output;
    EXPECT_NE(output.find("no batchs.ini here"), std::string::npos) << output;
    EXPECT_TRUE(fs::exists("quelmark.log"));
}

}  // namespace
}  // namespace corrivex
