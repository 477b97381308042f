// Discovery on real directories: files are made in a scratch directory that
// is current while discoverDataFiles runs; the console is a memory host.
#include "selection/discovery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <utility>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>

#include "unprivileged.h"
#endif

#include "console/console_state.h"
#include "memory_console_host.h"
#include "selection/name_rules.h"
#include "scratch_directory.h"

namespace corrivex::selection {
namespace {

using testing::CurrentDirectoryScope;
using testing::ScratchDirectory;
using testing::writeFile;

constexpr const char* kWarning = "There are no .txt or .dat files in this directory!!";

class DiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        console::prepareConsole(host_);
        inside_ = std::make_unique<CurrentDirectoryScope>(scratch_.path());
    }
    void TearDown() override { inside_.reset(); }

    void make(const std::vector<std::string>& names) {
        for (const std::string& name : names) ASSERT_TRUE(writeFile(name, "x")) << name;
    }

    void discover() {
        for (Text& slot : FileNames) slot = "STALE";
        for (Text& slot : BaseNames) slot = "STALE";
        discoverDataFiles(FileNames, FileNameCount, BaseNames, BaseNameCount);
    }

    std::vector<Text> files() const { return {FileNames.begin(), FileNames.begin() + FileNameCount}; }
    std::vector<Text> bases() const { return {BaseNames.begin(), BaseNames.begin() + BaseNameCount}; }
    // Every slot behind the counted ones is empty.
    bool tailsEmpty() const {
        const auto empty = [](const Text& slot) { return slot.empty(); };
        return std::all_of(FileNames.begin() + FileNameCount, FileNames.end(), empty) &&
               std::all_of(BaseNames.begin() + BaseNameCount, BaseNames.end(), empty);
    }
    // The line above the list box when data sets are left out of it.
    Text leftOutLine() const { return Text(trimmed(host_.rowText(0))); }
    int warnings() const {
        int found = 0;
        for (int y = 0; y < host_.size().y; ++y)
            if (host_.rowText(y).find(kWarning) != std::string::npos) ++found;
        return found;
    }

    // The names of the plain files matching `extension`, in the order the
    // listing gives them, as an independent account of it: the file
    // system's own order on Windows, the order of the upper-cased names
    // elsewhere.
    std::vector<Text> listingOrder(const std::string& extension) const {
        std::vector<Text> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch_.path())) {
            const Text name = entry.path().filename().string();
            if (entry.is_regular_file() && upperCased(name).ends_with(extension)) names.push_back(name);
        }
#ifndef _WIN32
        std::ranges::sort(names, [](const Text& a, const Text& b) {
            return std::pair(upperCased(a), a) < std::pair(upperCased(b), b);
        });
#endif
        return names;
    }

    platform::MemoryConsoleHost host_{{80, 30}};
    ScratchDirectory scratch_;
    std::unique_ptr<CurrentDirectoryScope> inside_;
    NameList FileNames{};
    std::int16_t FileNameCount = -1;
    NameList BaseNames{};
    std::int16_t BaseNameCount = -1;
};

// ---- Names and base names -------------------------------------------------

TEST_F(DiscoveryTest, TxtAndDatOfOneDataSetStandOnce) {
    make({"alpha.txt", "Beta.DAT", "ALPHA.dat"});
    discover();
    EXPECT_EQ(files(), (std::vector<Text>{"ALPHA.DAT", "ALPHA.TXT", "BETA.DAT"}));
    EXPECT_EQ(bases(), (std::vector<Text>{"ALPHA", "BETA"}));
    EXPECT_TRUE(tailsEmpty());
    EXPECT_EQ(warnings(), 0);
}

TEST_F(DiscoveryTest, TextFilesAloneKeepTheListingOrder) {
    std::vector<std::string> names;
    for (char c = 'a'; c <= 't'; ++c) names.push_back(std::string(1, c) + "file.txt");
    make(names);
    discover();
    std::vector<Text> expected;
    for (const Text& name : listingOrder(".TXT")) expected.push_back(baseNameOf(upperCased(name)));
    ASSERT_EQ(expected.size(), 20u);
    EXPECT_EQ(bases(), expected);
    EXPECT_EQ(FileNameCount, 20);
}

TEST_F(DiscoveryTest, DataFilesAloneAreSorted) {
    make({"zeta.dat", "b.dat", "A.dat", "m-1.DAT", "m_1.dat", "M1.dat"});
    discover();
    EXPECT_EQ(files(), (std::vector<Text>{"A.DAT", "B.DAT", "M-1.DAT", "M1.DAT", "M_1.DAT", "ZETA.DAT"}));
    EXPECT_EQ(bases(), (std::vector<Text>{"A", "B", "M-1", "M1", "M_1", "ZETA"}));
}

TEST_F(DiscoveryTest, OneDatFileSortsTheTextFilesToo) {
    make({"c.txt", "a.txt", "b.dat"});
    discover();
    EXPECT_EQ(bases(), (std::vector<Text>{"A", "B", "C"}));
}

TEST_F(DiscoveryTest, RepeatedBaseNameStandsOnceEvenWhenNotNeighbours) {
    make({"Delta.dat", "Delta.e.txt", "Delta.txt"});
    discover();
    EXPECT_EQ(files(), (std::vector<Text>{"DELTA.DAT", "DELTA.E.TXT", "DELTA.TXT"}));
    EXPECT_EQ(bases(), (std::vector<Text>{"DELTA", "DELTA.E"}));
    EXPECT_TRUE(tailsEmpty());
}

TEST_F(DiscoveryTest, OnlyTheFinalExtensionIsDropped) {
    make({"gamma.data.txt", "x.txt.dat"});
    discover();
    EXPECT_EQ(files(), (std::vector<Text>{"GAMMA.DATA.TXT", "X.TXT.DAT"}));
    EXPECT_EQ(bases(), (std::vector<Text>{"GAMMA.DATA", "X.TXT"}));
}

TEST_F(DiscoveryTest, BlankBeforeTheDotSortsFirstAndIsKept) {
    make({"Alpha .txt", "alpha.dat"});
    discover();
    EXPECT_EQ(files(), (std::vector<Text>{"ALPHA .TXT", "ALPHA.DAT"}));
    EXPECT_EQ(bases(), (std::vector<Text>{"ALPHA "}));
}

TEST_F(DiscoveryTest, NamesWithBlanksKeepThem) {
    make({" lead.txt", "two  words.dat", "  .dat", "x.txt"});
    discover();
    // "  .DAT" sorts first; its base name is blanks only, kept as it stands.
    EXPECT_EQ(bases(), (std::vector<Text>{"  ", " LEAD", "TWO  WORDS", "X"}));
}

#ifdef _WIN32
TEST_F(DiscoveryTest, HighBytesKeepOrFollowTheTable) {
    if (GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
    // In 1252 é and ü are letters of the table; „ (0x84) is none.
    make({"\x84rger.txt", "caf\xE9.dat", "\xDCl.txt", "\xFCl.dat"});
    discover();
    EXPECT_EQ(bases(), (std::vector<Text>{"CAF\xC9", "\x84RGER", "\xDCL"}));
}
#else
TEST_F(DiscoveryTest, Utf8LettersAreUpperCasedWhole) {
    // ä in UTF-8 becomes Ä; a byte that is no UTF-8 letter stays.
    make({"\xC3\xA4rger.txt", "caf\xE9.dat", "\x84x.txt"});
    discover();
    EXPECT_EQ(bases(), (std::vector<Text>{"CAF\xE9", "\x84X", "\xC3\x84RGER"}));
}
#endif

#ifndef _WIN32
TEST_F(DiscoveryTest, ControlBytesPassUnchanged) {
    make({"tab\there.txt", "bell\a.dat", "new\nline.txt"});
    discover();
    EXPECT_EQ(bases(), (std::vector<Text>{"BELL\a", "NEW\nLINE", "TAB\tHERE"}));
}
#endif

TEST_F(DiscoveryTest, LongestNamesPass) {
    // 255 bytes, the most a file name may hold; where the whole path would be
    // too long for the platform, the file cannot be made and there is nothing
    // to list.
    const std::string stem(251, 'q');
    if (!writeFile(stem + ".txt", "x")) GTEST_SKIP() << "the platform refuses a 255-byte name here";
    make({std::string(250, 'q') + "r.dat"});
    discover();
    EXPECT_EQ(bases(), (std::vector<Text>{upperCased(stem), upperCased(std::string(250, 'q') + "r")}));
}

TEST_F(DiscoveryTest, HiddenSystemAndDirectoriesAreNotListed) {
    make({"plain.txt"});
    std::filesystem::create_directory("notes.txt");
    std::filesystem::create_directory("folder.dat");
#ifdef _WIN32
    make({"hidden.txt", "system.dat"});
    ASSERT_TRUE(SetFileAttributesA("hidden.txt", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA("system.dat", FILE_ATTRIBUTE_SYSTEM));
#else
    make({".hidden.txt"});
    ASSERT_EQ(mkfifo("system.dat", 0600), 0);
#endif
    discover();
    EXPECT_EQ(files(), (std::vector<Text>{"PLAIN.TXT"}));
    EXPECT_EQ(bases(), (std::vector<Text>{"PLAIN"}));
}

// b.txtx and c.data: a Windows search matches "*.txt" and "*.dat" against
// their short 8.3 aliases too.
TEST_F(DiscoveryTest, OtherExtensionsAreNotListed) {
    make({"notes.doc", "data.dat.bak", "txt", "a.tx", "b.txtx", "c.data"});
    discover();
    EXPECT_EQ(FileNameCount, 0);
    EXPECT_EQ(warnings(), 1);
}

// ---- The warning -------------------------------------------------------------

TEST_F(DiscoveryTest, EmptyDirectoryWarnsOnceInLightRed) {
    discover();
    EXPECT_EQ(FileNameCount, 0);
    EXPECT_EQ(BaseNameCount, 1);
    EXPECT_EQ(BaseNames[0], "");
    EXPECT_TRUE(tailsEmpty());

    ASSERT_EQ(warnings(), 1);
    EXPECT_EQ(host_.rowText(0).substr(0, std::string(kWarning).size()), kWarning);
    for (std::size_t x = 0; x < std::string(kWarning).size(); ++x)
        EXPECT_EQ(host_.at(static_cast<int>(x), 0).attr, 12) << "column " << x;  // light red on black
    // An empty line follows; later text comes in black on the same background.
    EXPECT_EQ(host_.cursor(), (platform::CellPos{0, 2}));
    EXPECT_EQ(host_.textAttribute(), 0);
    EXPECT_EQ(console::consoleState().foreground, 0);
}

TEST_F(DiscoveryTest, WarningKeepsTheBackground) {
    console::consoleState().background = 15;
    discover();
    ASSERT_EQ(warnings(), 1);
    EXPECT_EQ(host_.at(0, 0).attr, 12 + 16 * 15);
    EXPECT_EQ(host_.textAttribute(), 16 * 15);
}

TEST_F(DiscoveryTest, NoWarningWithTextFilesOrDataFilesAlone) {
    make({"a.txt"});
    discover();
    EXPECT_EQ(warnings(), 0);
    std::filesystem::remove("a.txt");
    make({"b.dat"});
    discover();
    EXPECT_EQ(warnings(), 0);
    EXPECT_EQ(bases(), (std::vector<Text>{"B"}));
}

#ifndef _WIN32
TEST_F(DiscoveryTest, DirectoryThatIsGoneActsAsEmpty) {
    make({"a.txt"});
    std::filesystem::remove("a.txt");
    std::filesystem::remove(scratch_.path());  // the current directory goes away
    discover();
    EXPECT_EQ(FileNameCount, 0);
    EXPECT_EQ(BaseNameCount, 1);
    EXPECT_EQ(warnings(), 1);
}

TEST_F(DiscoveryTest, DirectoryThatCannotBeReadActsAsEmpty) {
    make({"a.txt", "b.dat"});
    testing::runUnprivileged([&] {
        std::filesystem::permissions(scratch_.path(), std::filesystem::perms::none);
        std::error_code error;
        std::filesystem::directory_iterator probe(scratch_.path(), error);
        if (!error) GTEST_SKIP() << "this user may read every directory";
        discover();
        EXPECT_EQ(FileNameCount, 0);
        EXPECT_EQ(warnings(), 1);
    });
}
#endif

// ---- Many files -----------------------------------------------------------

std::vector<std::string> numbered(const std::string& prefix, int from, int count, const std::string& extension) {
    std::vector<std::string> names;
    for (int i = from; i < from + count; ++i) names.push_back(prefix + std::to_string(10000 + i) + extension);
    return names;
}

TEST_F(DiscoveryTest, ThousandAndOneTextFilesTakeTheFirstThousandListed) {
    make(numbered("t", 0, 1001, ".txt"));
    discover();
    const std::vector<Text> listed = listingOrder(".TXT");
    ASSERT_EQ(listed.size(), 1001u);
    ASSERT_EQ(FileNameCount, 1000);
    ASSERT_EQ(BaseNameCount, 1000);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(FileNames[i], upperCased(listed[i])) << "slot " << i + 1;
    EXPECT_EQ(std::count(FileNames.begin(), FileNames.end(), upperCased(listed[1000])), 0);
    EXPECT_EQ(warnings(), 0);
    EXPECT_EQ(leftOutLine(), "There are 1001 data sets in this directory; the list shows 1000 of them.");
}

TEST_F(DiscoveryTest, ThousandTextFilesAndOneDataFileStayWithinTheTable) {
    make(numbered("t", 0, 1000, ".txt"));
    make({"a.dat"});
    discover();
    ASSERT_EQ(FileNameCount, 1000);
    ASSERT_EQ(BaseNameCount, 1000);
    EXPECT_EQ(FileNames[0], "A.DAT");
    EXPECT_TRUE(std::is_sorted(FileNames.begin(), FileNames.end(), nameBefore));
    // The last name in order is the one left out.
    EXPECT_EQ(FileNames[999], "T10998.TXT");
    EXPECT_EQ(BaseNames[999], "T10998");
    EXPECT_EQ(leftOutLine(), "There are 1001 data sets in this directory; the list shows 1000 of them.");
    EXPECT_EQ(host_.at(0, 0).attr, 12);
}

TEST_F(DiscoveryTest, DataSetsHeldTwiceFitAsLongAsTheirBaseNamesDo) {
    make(numbered("s", 0, 700, ".txt"));
    make(numbered("S", 0, 700, ".DAT"));
    discover();
    EXPECT_EQ(FileNameCount, 1000);
    ASSERT_EQ(BaseNameCount, 700);
    const std::set<Text> distinct(BaseNames.begin(), BaseNames.begin() + 700);
    EXPECT_EQ(distinct.size(), 700u);
    EXPECT_EQ(BaseNames[699], "S10699");
    EXPECT_TRUE(tailsEmpty());
    EXPECT_EQ(leftOutLine(), "") << "1400 files, but 700 data sets: all are listed";
}

#ifndef _WIN32
// Two names that differ only in letter case are one data set: the list holds
// fewer names than its room, and the line says how many it shows.
TEST_F(DiscoveryTest, TheLeftOutLineCountsTheNamesTheListShows) {
    make(numbered("t", 0, 1000, ".txt"));
    make({"T10000.txt"});
    discover();
    EXPECT_EQ(BaseNameCount, 999);
    EXPECT_EQ(leftOutLine(), "There are 1000 data sets in this directory; the list shows 999 of them.");
}
#endif

TEST_F(DiscoveryTest, TenThousandFilesGiveASortedFullListOfDistinctNames) {
    make(numbered("t", 0, 5000, ".txt"));
    make(numbered("d", 0, 5000, ".dat"));
    discover();
    ASSERT_EQ(FileNameCount, 1000);
    ASSERT_EQ(BaseNameCount, 1000);
    EXPECT_TRUE(std::is_sorted(FileNames.begin(), FileNames.end(), nameBefore));
    const std::set<Text> distinct(BaseNames.begin(), BaseNames.end());
    EXPECT_EQ(distinct.size(), 1000u);
    // .dat names come first in order (D before T); at most 1001 were read.
    EXPECT_EQ(std::count_if(FileNames.begin(), FileNames.end(), [](const Text& n) { return n.ends_with(".DAT"); }),
              1000);
    for (const Text& name : FileNames) {
        const std::filesystem::path onDisk = scratch_.path() / ("d" + name.substr(1, 5) + ".dat");
        ASSERT_TRUE(std::filesystem::exists(onDisk)) << name;
    }
    EXPECT_EQ(leftOutLine(), "There are 10000 data sets in this directory; the list shows 1000 of them.");
}

}  // namespace
}  // namespace corrivex::selection
