// The settings files that the tests put into a start directory.
#include <gtest/gtest.h>

#include <algorithm>

#include "start_directory.h"
#include "temp_dir.h"

namespace corrivex::e2e {
namespace {

int lineEnds(const std::string& s) {
    int n = 0;
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        if (s[i] == '\r' && s[i + 1] == '\n') ++n;
    return n;
}

TEST(StartDirectory, DefaultSettingsAre28LinesOf513Bytes) {
    const std::string settings = defaultSettings();
    EXPECT_EQ(settings.size(), 513u);
    EXPECT_EQ(lineEnds(settings), 28);
    EXPECT_EQ(std::count(settings.begin(), settings.end(), '\n'), 28);
    EXPECT_EQ(settings.substr(0, 29), "Activate the batch mode?\r\nn\r\n");
    EXPECT_EQ(settings.substr(settings.size() - 10), "c:\\zelqa\r\n");
}

TEST(StartDirectory, SettingsWithChangeOnlyLinesTwoAndTwentyEight) {
    const std::string settings = settingsWith("y", "  /data/course  ");
    EXPECT_EQ(lineEnds(settings), 28);
    EXPECT_EQ(settings.substr(0, 29), "Activate the batch mode?\r\ny\r\n");
    EXPECT_EQ(settings.substr(settings.size() - 18), "  /data/course  \r\n");
    // Everything between the two answers is the default.
    const std::string defaults = defaultSettings();
    const std::size_t middleStart = 29;
    const std::size_t middleLength = defaults.size() - 10 - middleStart;
    EXPECT_EQ(settings.substr(middleStart, middleLength), defaults.substr(middleStart, middleLength));
}

TEST(StartDirectory, FilesRoundTripByteForByte) {
    TempDir dir("corrivex-e2e-files");
    const std::string bytes("a\r\nb\0c\x1a\xff", 9);
    writeFile(dir.path(), "x.ini", bytes);
    EXPECT_EQ(readFile(dir.path() / "x.ini"), bytes);
    EXPECT_EQ(readFile(dir.path() / "missing.ini"), "");
}

}  // namespace
}  // namespace corrivex::e2e
