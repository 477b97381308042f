// The default settings file: written byte for byte when missing, and an
// existing one never touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "crlf_lines.h"
#include "primitives/text_file.h"
#include "settings_test_support.h"
#include "settings/default_settings.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "unprivileged.h"
#endif

namespace corrivex::settings {
namespace {

namespace fs = std::filesystem;
using corrivex::testing::splitCrlf;
using testing::readBytes;
using testing::ScratchDirectory;
using testing::writeBytes;

// The default file as the engine expects it, written out here by hand.
const char kExpectedDefault[] =
    "Activate the batch mode?\r\n"
    "n\r\n"
    "Display output files?\r\n"
    "n\r\n"
    "Display graph?\r\n"
    "n\r\n"
    "Create a BMP file for the graph?\r\n"
    "n\r\n"
    "Number of students (override file count) ?\r\n"
    "-1\r\n"
    "Number of questions (override file count)?\r\n"
    "-1\r\n"
    "Start at question:\r\n"
    "1\r\n"
    "Identify suspects by name?\r\n"
    "y\r\n"
    "Identify all students by name (must identify suspects)?\r\n"
    "n\r\n"
    "Produce Excel file (must identify all students)?\r\n"
    "n\r\n"
    "Enter pre-selected pairs?\r\n"
    "n\r\n"
    "Set Bonferroni bound:\r\n"
    ".1\r\n"
    "Use T optimization?\r\n"
    "n\r\n"
    "Specify path to course files (eg. c:\\courses\\)\r\n"
    "c:\\zelqa\r\n";

class DefaultSettingsTest : public ::testing::Test {
protected:
    ScratchDirectory scratch;
    fs::path settings() const { return scratch.path() / "batchs.ini"; }
};

TEST_F(DefaultSettingsTest, MissingFileIsWrittenByteForByte) {
    writeDefaultSettings();
    const std::string written = readBytes(settings());
    EXPECT_EQ(written.size(), 513u);
    EXPECT_EQ(written, std::string(kExpectedDefault));
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), {}), 1) << "a temporary file left behind";
}

TEST_F(DefaultSettingsTest, WrittenFileHasTwentyEightLinesWithTheAnswersInPlace) {
    writeDefaultSettings();
    const std::string written = readBytes(settings());
    const std::vector<std::string> lines = splitCrlf(written);
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_EQ(lines[1], "n");  // batch mode off: the gate stops a fresh file
    EXPECT_EQ(lines[8], "Number of students (override file count) ?");
    EXPECT_EQ(lines[10], "Number of questions (override file count)?");
    EXPECT_EQ(lines[23], ".1");
    EXPECT_EQ(lines[26], "Specify path to course files (eg. c:\\courses\\)");
    EXPECT_EQ(lines[27], "c:\\zelqa");
    // CR LF after every line, the last one included; no other CR or LF.
    EXPECT_EQ(std::count(written.begin(), written.end(), '\r'), 28);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 28);
    EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
}

TEST_F(DefaultSettingsTest, WriteFileNumberIsFreeAfterwards) {
    writeDefaultSettings();
    openFile(111, "other.txt", FileMode::Output);
    writeLine(111, "x");
    closeFile(111);
    EXPECT_EQ(readBytes(scratch.path() / "other.txt"), "x\r\n");
    EXPECT_EQ(readBytes(settings()).size(), 513u);
}

class ExistingSettingsTest : public DefaultSettingsTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ExistingSettingsTest, IsNeverRewrittenOrCompleted) {
    writeBytes(settings(), GetParam());
    writeDefaultSettings();
    EXPECT_EQ(readBytes(settings()), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Contents, ExistingSettingsTest,
                         ::testing::Values(std::string(), std::string("y"),
                                           std::string("Activate the batch mode?\r\ny\r\n"),
                                           std::string("Activate the batch mode?\ny\nno line ends but LF\n"),
                                           std::string("\x1A\r\n", 3), std::string("\0\xFF\r\x01\n\x1A tail", 11),
                                           testing::settingsWith("y", "c:\\courses")));

TEST_F(DefaultSettingsTest, DirectoryOfThatNameIsLeftAndNothingIsWritten) {
    fs::create_directory(settings());
    writeDefaultSettings();
    EXPECT_TRUE(fs::is_directory(settings()));
    EXPECT_TRUE(fs::is_empty(settings()));
    // The write number was never left open.
    openFile(111, "other.txt", FileMode::Output);
    closeFile(111);
    EXPECT_TRUE(fs::exists(scratch.path() / "other.txt"));
}

// Windows keeps no write permission on directories (only access lists do).
#ifndef _WIN32
TEST_F(DefaultSettingsTest, ReadOnlyDirectoryGetsNoFile) {
    corrivex::testing::runUnprivileged([&] {
        fs::permissions(scratch.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        if (testing::canCreateIn(scratch.path())) GTEST_SKIP() << "this user may write in read-only directories";
        writeDefaultSettings();
        EXPECT_FALSE(fs::exists(settings()));
    });
}

// Writes that fail part way (past the file size limit, as on a full disk)
// leave nothing behind, and a process ended in the middle (by SIGXFSZ) no
// batchs.ini: never a cut one, which every later run would keep.
TEST_F(DefaultSettingsTest, AWriteCutShortLeavesNoFile) {
    for (const bool ended : {false, true})
        for (const rlim_t limit : {rlim_t{0}, rlim_t{200}, rlim_t{512}}) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                if (!ended) signal(SIGXFSZ, SIG_IGN);
                const rlimit noCore{0, 0}, size{limit, limit};
                setrlimit(RLIMIT_CORE, &noCore);
                setrlimit(RLIMIT_FSIZE, &size);
                writeDefaultSettings();
                _exit(0);
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_EQ(ended, WIFSIGNALED(status)) << limit;
            EXPECT_FALSE(fs::exists(settings())) << limit << (ended ? ", ended" : "");
            EXPECT_TRUE(ended || fs::is_empty(scratch.path())) << limit;
        }
}
#endif

#ifdef _WIN32
TEST_F(DefaultSettingsTest, HiddenFileOfThatNameIsLeftAlone) {
    writeBytes(settings(), "mine");
    const std::string name = settings().string();
    SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_HIDDEN))
        GTEST_SKIP() << "the file system keeps no hidden attribute";
    writeDefaultSettings();
    SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readBytes(settings()), "mine");
}
#endif

}  // namespace
}  // namespace corrivex::settings
