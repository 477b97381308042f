// The gate with batch mode on: it passes without a word, the settings file
// stays as it is, and the course path is made current only when it names a
// directory as it stands.
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "gate_fixture.h"
#include "primitives/length_limits.h"
#include "primitives/text_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "unprivileged.h"
#endif

namespace corrivex::settings {
namespace {

namespace fs = std::filesystem;
using testing::GateTest;
using testing::readBytes;
using testing::settingsWith;
using testing::writeBytes;

class GatePassTest : public GateTest {
protected:
    // Writes `bytes` as batchs.ini, runs the gate, and checks that it went on
    // silently and left the file unchanged.
    void passWith(const std::string& bytes) {
        writeBytes(settings(), bytes);
        EXPECT_EQ(runGate(), GateResult::GoOn);
        EXPECT_EQ(readBytes(settings()), bytes);
        EXPECT_TRUE(consoleUntouched());
    }
    fs::path makeDirectory(const fs::path& name) {
        const fs::path directory = scratch.path() / name;
        fs::create_directories(directory);
        return directory;
    }
};

class BatchModeOnTest : public GatePassTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(BatchModeOnTest, PassesSilentlyAndStaysWithoutCoursePath) {
    passWith(settingsWith(GetParam(), ""));
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

INSTANTIATE_TEST_SUITE_P(Answers, BatchModeOnTest,
                         ::testing::Values("y", "Y", "yes", "Yes", "YES", "y ", "y\tanything", std::string("y\0", 2),
                                           "y\n"));

TEST_F(GatePassTest, CoursePathIsMadeCurrent) {
    const fs::path course = makeDirectory("course");
    passWith(settingsWith("y", course.string()));
    EXPECT_TRUE(testing::isCurrent(course));
}

// Name; the file's byte-order mark; line 28's bytes as saved; the directory
// made, named in UTF-8; whether it is reached; the bytes' code page (0: any).
using SavedCoursePath = std::tuple<std::string, std::string, std::string, std::string, bool, unsigned>;
struct SavedCoursePathTest : GatePassTest, ::testing::WithParamInterface<SavedCoursePath> {};
TEST_P(SavedCoursePathTest, IsReachedAsItsEditorSavedIt) {
    const auto& [name, mark, line, made, reached, codePage] = GetParam();
#ifdef _WIN32
    if (codePage != 0 && codePage != GetACP()) GTEST_SKIP() << "for ANSI code page " << codePage;
#else
    if (codePage != 0) GTEST_SKIP() << "paths are bytes";
#endif
    const fs::path course = makeDirectory(std::u8string(made.begin(), made.end()));
    passWith(mark + settingsWith("y", scratch.path().string() + pathSeparator() + line));
    EXPECT_TRUE(testing::isCurrent(reached ? course : scratch.path()));
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Notepad, SavedCoursePathTest, ::testing::ValuesIn(std::vector<SavedCoursePath>{
    {"Utf8", "", "M\xC3\xBCller", "M\xC3\xBCller", true, 0}, {"Bom", "\xEF\xBB\xBF", "M\xC3\xBCller", "M\xC3\xBCller", true, 0},
    {"Ansi", "", "M\xFCller", "M\xC3\xBCller", true, 1252}, {"AnsiFirst", "", "M\xC3\xBCller", "M\xC3\x83\xC2\xBCller", true, 1252},
    {"Neither", "", "M\xC3ller", "M\xC3\xBCller", false, 0}}), [](const auto& info) { return std::get<0>(info.param); });
// clang-format on

TEST_F(GatePassTest, BlanksAroundTheCoursePathAreDropped) {
    const fs::path course = makeDirectory("course");
    passWith(settingsWith("y", "   " + course.string() + "  "));
    EXPECT_TRUE(testing::isCurrent(course));
}

TEST_F(GatePassTest, RelativeCoursePathIsTakenFromTheStartDirectory) {
    const fs::path course = makeDirectory("course");
    passWith(settingsWith("Y", "course"));
    EXPECT_TRUE(testing::isCurrent(course));
}

TEST_F(GatePassTest, TabBeforeTheCoursePathIsKeptSoTheChangeFails) {
    makeDirectory("course");
    passWith(settingsWith("y", "\tcourse"));
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

TEST_F(GatePassTest, MissingCourseDirectoryLeavesTheStartDirectory) {
    passWith(settingsWith("y", (scratch.path() / "no such course").string()));
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

TEST_F(GatePassTest, WildcardsInTheCoursePathAreRefusedEvenWhenSomethingMatches) {
    makeDirectory("course");
    passWith(settingsWith("y", "cour*"));
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
    passWith(settingsWith("y", "cours?"));
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

TEST_F(GatePassTest, BlankCoursePathLeavesTheStartDirectory) {
    passWith(settingsWith("y", "      "));
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

// A path beyond the limit is not cut to a shorter one that names another
// directory: its first `kDirectoryPath` bytes here name "course", the whole
// path nothing.
TEST_F(GatePassTest, OverlongCoursePathIsRefusedNotCut) {
    makeDirectory("course");
    const std::string separator = pathSeparator();
    std::string path = "course";
    while (path.size() < limits::kDirectoryPath) path += separator;
    path += "missing";
    ASSERT_GT(path.size(), limits::kDirectoryPath);
    passWith(settingsWith("y", path));
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

TEST_F(GatePassTest, CoursePathOfExactlyTheLimitIsUsed) {
    const fs::path course = makeDirectory("course");
    const std::string separator = pathSeparator();
    std::string path = "course";
    while (path.size() < limits::kDirectoryPath) path += separator;
    ASSERT_EQ(path.size(), limits::kDirectoryPath);
    passWith(settingsWith("y", path));
    EXPECT_TRUE(testing::isCurrent(course));
}

// The platform would stop at the NUL byte and change to "course".
TEST_F(GatePassTest, CoursePathHoldingANulIsRefused) {
    makeDirectory("course");
    passWith(settingsWith("y", std::string("course\0elsewhere", 16)));
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

// A run ended while it wrote the default file left its temporary file (of a process id that no process has);
// the next run removes it, also when a settings file has been put there since.
TEST_F(GatePassTest, TheTemporaryFileOfAnEndedRunIsRemoved) {
    const fs::path left = scratch.path() / ".batchs.ini.2147483644.0";
    writeBytes(left, "Activate the batch");
    passWith(settingsWith("y", ""));
    EXPECT_FALSE(fs::exists(left));
}

TEST_F(GatePassTest, FileShorterThanTwentyEightLinesGivesNoCoursePath) {
    makeDirectory("course");
    passWith(testing::crlfLines({"Activate the batch mode?", "y", "course"}));
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

TEST_F(GatePassTest, LinesAfterLineTwentyEightAreNeverRead) {
    makeDirectory("course");
    passWith(settingsWith("y", "") + "course\r\ncourse\r\n");
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

TEST_F(GatePassTest, LastLineWithoutLineEndIsTheCoursePath) {
    const fs::path course = makeDirectory("course");
    std::string bytes = settingsWith("y", "course");
    bytes.resize(bytes.size() - 2);
    passWith(bytes);
    EXPECT_TRUE(testing::isCurrent(course));
}

TEST_F(GatePassTest, EndOfFileByteHidesTheRest) {
    makeDirectory("course");
    passWith("Activate the batch mode?\r\ny\x1A" + settingsWith("y", "course"));
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

TEST_F(GatePassTest, MegabyteLinesAreReadThrough) {
    const fs::path course = makeDirectory("course");
    std::string bytes = std::string(3 << 20, 'Q') + "\r\n" + "Y" + std::string(2 << 20, 'e') + "\r\n";
    for (int line = 3; line < 28; ++line) bytes += std::string(line == 5 ? (1 << 20) : 10, 'a') + "\r\n";
    bytes += "course\r\n";
    passWith(bytes);
    EXPECT_TRUE(testing::isCurrent(course));
}

TEST_F(GatePassTest, BinaryFileWithYesOnLineTwoPasses) {
    std::string bytes = std::string("\x00\xFF\x7F\n\x80", 5) + "\r\n" + std::string("y\x00\xFE\n\x01", 5) + "\r\n";
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 37 + 11) % 256 == 0x1A ? 0 : (i * 37 + 11) % 256);
    passWith(bytes);
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

TEST_F(GatePassTest, ReadNumberIsFreeWhenTheGateReturns) {
    const fs::path course = makeDirectory("course");
    passWith(settingsWith("y", course.string()));
    // A read number left open would go on at line 29.
    openFile(1, (scratch.path() / "batchs.ini").string(), FileMode::Input);
    EXPECT_EQ(readLine(1), "Activate the batch mode?");
    closeFile(1);
}

TEST_F(GatePassTest, DirectoryNamedLikeTheSettingsFileSkipsTheGate) {
    fs::create_directory(settings());
    EXPECT_EQ(runGate(), GateResult::GoOn);
    EXPECT_TRUE(fs::is_directory(settings()));
    EXPECT_TRUE(fs::is_empty(settings()));
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
    EXPECT_TRUE(consoleUntouched());
}

// Windows keeps no write permission on directories (only access lists do).
#ifndef _WIN32
TEST_F(GatePassTest, ReadOnlyStartDirectorySkipsTheGate) {
    corrivex::testing::runUnprivileged([&] {
        fs::permissions(scratch.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        if (testing::canCreateIn(scratch.path())) GTEST_SKIP() << "this user may write in read-only directories";
        EXPECT_EQ(runGate(), GateResult::GoOn);
        EXPECT_FALSE(fs::exists(settings()));
        EXPECT_TRUE(testing::isCurrent(scratch.path()));
        EXPECT_TRUE(consoleUntouched());
    });
}
#endif

}  // namespace
}  // namespace corrivex::settings
