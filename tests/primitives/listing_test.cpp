// The directory listing (dirFirst, dirNext) and fileExists on real
// directories: filters, masks, the end of a listing and the one listing of
// the process.
#include <gtest/gtest.h>

#include <algorithm>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "primitives/directory.h"
#include "primitives/length_limits.h"
#include "primitives_support.h"

namespace corrivex::test {
namespace {

using Names = std::vector<Text>;

Names sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

// A.TXT and b.txt, a directory c.txt, a hidden and a system entry matching
// "*.txt", and d.dat.
class Listing : public ScratchDirectory {
protected:
    void SetUp() override {
        ScratchDirectory::SetUp();
        writeBytes("A.TXT", "a");
        writeBytes("b.txt", "b");
        fs::create_directory("c.txt");
        hidden_ = makeHiddenFile("h.txt");
        system_ = makeSystemEntry("s.txt");
        writeBytes("d.dat", "d");
    }
    Text hidden_;
    Text system_;
};

TEST_F(Listing, PlainFilesOnlyWithTheEmptyAttributeSet) {
    EXPECT_EQ(listAll("*.txt", attr::kNone), (Names{"A.TXT", "b.txt"}));
}

TEST_F(Listing, EachAttributeAskedForLetsItsEntriesThrough) {
    EXPECT_EQ(listAll("*.txt", attr::kDirectory), (Names{"A.TXT", "b.txt", "c.txt"}));
    EXPECT_EQ(listAll("*.txt", attr::kHidden), sorted({"A.TXT", "b.txt", hidden_}));
    EXPECT_EQ(listAll("*.txt", attr::kSystem), sorted({"A.TXT", "b.txt", system_}));
    EXPECT_EQ(listAll("*.txt", attr::kDirectory | attr::kHidden | attr::kSystem),
              sorted({"A.TXT", "b.txt", "c.txt", hidden_, system_}));
}

TEST_F(Listing, DotEntriesAreNeverListed) {
    for (const Text& name : listAll("*", attr::kDirectory | attr::kHidden | attr::kSystem)) {
        EXPECT_NE(name, ".");
        EXPECT_NE(name, "..");
    }
}

TEST_F(Listing, MasksIgnoreLetterCaseAndNamesKeepTheirs) {
    EXPECT_EQ(listAll("a.txt", attr::kNone), (Names{"A.TXT"}));
    EXPECT_EQ(listAll("B.TXT", attr::kNone), (Names{"b.txt"}));
    EXPECT_EQ(listAll("*.TXT", attr::kNone), (Names{"A.TXT", "b.txt"}));
    EXPECT_EQ(listAll("*.DaT", attr::kNone), (Names{"d.dat"}));
}

TEST_F(Listing, QuestionMarkTakesOneCharacterAndStarAnyRun) {
    EXPECT_EQ(listAll("?.txt", attr::kNone), (Names{"A.TXT", "b.txt"}));
    EXPECT_EQ(listAll("?.?at", attr::kNone), (Names{"d.dat"}));
    EXPECT_EQ(listAll("*", attr::kNone), (Names{"A.TXT", "b.txt", "d.dat"}));
    EXPECT_EQ(listAll("*t*t", attr::kNone), (Names{"A.TXT", "b.txt"}));
    EXPECT_EQ(listAll("d*", attr::kNone), (Names{"d.dat"}));
    EXPECT_EQ(listAll("x*", attr::kNone), Names{});
}

TEST_F(Listing, BacktrackingStarsFindLaterMatches) {
    writeBytes("abcabd.log", "x");
    writeBytes("abcabc.log", "x");
    EXPECT_EQ(listAll("*abd.log", attr::kNone), (Names{"abcabd.log"}));
    EXPECT_EQ(listAll("a*c*c.log", attr::kNone), (Names{"abcabc.log"}));
    EXPECT_EQ(listAll("*b?.log", attr::kNone), (Names{"abcabc.log", "abcabd.log"}));
}

TEST_F(Listing, AfterTheEndEveryCallGivesEmpty) {
    const Names both = listAll("*.txt", attr::kNone);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(dirNext(), "");
    EXPECT_EQ(dirNext(), "");
    EXPECT_EQ(dirNext(), "");
}

TEST_F(Listing, ANewListingAbandonsTheOneInProgress) {
    const Text first = dirFirst("*.txt", attr::kNone);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(dirFirst("d.dat", attr::kNone), "d.dat");
    EXPECT_EQ(dirNext(), "");  // the other .txt file is not delivered any more
}

TEST_F(Listing, AListingThatFindsNothingAlsoAbandonsTheOneInProgress) {
    ASSERT_FALSE(dirFirst("*.txt", attr::kNone).empty());
    EXPECT_EQ(dirFirst("nothing-matches-*", attr::kNone), "");
    EXPECT_EQ(dirNext(), "");
}

TEST_F(Listing, AnEmptyMaskContinuesTheListingInProgress) {
    Names seen{dirFirst("*.txt", attr::kNone)};
    seen.push_back(dirFirst("", attr::kDirectory));  // the attribute set of the listing stays
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (Names{"A.TXT", "b.txt"}));
    EXPECT_EQ(dirFirst("", attr::kNone), "");
}

TEST_F(Listing, DirNextWithoutAListingGivesEmpty) {
    abandonListing();
    EXPECT_EQ(dirNext(), "");
    EXPECT_EQ(dirFirst("", attr::kNone), "");
}

TEST_F(Listing, AMaskMayNameAnotherDirectory) {
    fs::create_directory("sub");
    writeBytes(fs::path("sub") / "inner.txt", "i");
    writeBytes(fs::path("sub") / "other.dat", "o");
    EXPECT_EQ(listAll("sub" + pathSeparator() + "*.txt", attr::kNone), (Names{"inner.txt"}));
    // A mask that ends in the separator lists the directory's contents.
    EXPECT_EQ(listAll("sub" + pathSeparator(), attr::kNone), (Names{"inner.txt", "other.dat"}));
    EXPECT_EQ(listAll(".." + pathSeparator() + root().filename().string() + pathSeparator() + "d.*", attr::kNone),
              (Names{"d.dat"}));
}

TEST_F(Listing, ADirectoryReadOnceStillListsByEachMaskAndFilter) {
    fs::create_directory("sub");
    writeBytes(fs::path("sub") / "inner.txt", "i");
    {
        const DirectoryReadOnce once;
        EXPECT_EQ(listAll("*.txt", attr::kNone), (Names{"A.TXT", "b.txt"}));
        EXPECT_EQ(listAll("*.dat", attr::kNone), (Names{"d.dat"}));
        EXPECT_EQ(listAll("*.txt", attr::kDirectory | attr::kHidden | attr::kSystem),
                  sorted({"A.TXT", "b.txt", "c.txt", hidden_, system_}));
        // Another directory is read for itself.
        EXPECT_EQ(listAll("sub" + pathSeparator() + "*", attr::kNone), (Names{"inner.txt"}));
        EXPECT_EQ(listAll("*.dat", attr::kNone), (Names{"d.dat"}));
    }
    // Once it has gone, a listing reads the directory as it is now.
    writeBytes("e.dat", "e");
    EXPECT_EQ(listAll("*.dat", attr::kNone), (Names{"d.dat", "e.dat"}));
}

TEST_F(Listing, AMaskNamingADirectoryFindsItOnlyWhenDirectoriesAreAsked) {
    EXPECT_EQ(dirFirst("c.txt", attr::kNone), "");
    EXPECT_EQ(dirFirst("c.txt", attr::kDirectory), "c.txt");
}

TEST_F(Listing, AMaskBeyondTheLimitFindsNothing) {
    Text mask;
    for (std::size_t i = 0; i < (limits::kMask - 6) / 2; ++i) mask += "." + pathSeparator();
    mask += "b.txt";
    mask.append(limits::kMask - mask.size(), '*');
    ASSERT_EQ(mask.size(), limits::kMask);
    EXPECT_EQ(listAll(mask, attr::kNone), (Names{"b.txt"}));
    EXPECT_EQ(listAll(mask + "*", attr::kNone), Names{});
}

#ifndef _WIN32
// readdir gives a hash order on many file systems; the listing gives the
// names in the order of their upper-cased forms, byte by byte, and names
// alike in upper case by their own bytes.
TEST_F(Listing, NamesComeInTheOrderOfTheirUpperCasedForms) {
    Names made;
    for (int i = 0; i < 40; ++i) {
        const Text name = (i % 2 == 0 ? "q" : "Q") + std::to_string(100 - i) + ".txt";
        writeBytes(name, "x");
        made.push_back(name);
    }
    writeBytes("\xC3\xA4rger.txt", "x");  // ÄRGER.TXT sorts after every ASCII name
    writeBytes("a.txt", "x");
    Names listed;
    for (Text name = dirFirst("*.txt", attr::kNone); !name.empty(); name = dirNext()) listed.push_back(name);
    Names expected{"A.TXT", "a.txt", "b.txt"};
    std::ranges::sort(made, [](const Text& x, const Text& y) { return x.substr(1) < y.substr(1); });
    expected.insert(expected.end(), made.begin(), made.end());
    expected.push_back("\xC3\xA4rger.txt");
    EXPECT_EQ(listed, expected);
}
#endif

TEST_F(Listing, AMaskHoldingNulNamesNothing) {
    ASSERT_FALSE(dirFirst("*.txt", attr::kNone).empty());
    EXPECT_EQ(dirFirst(Text("b.txt\0x", 7), attr::kNone), "");
    EXPECT_EQ(dirNext(), "");
}

TEST_F(Listing, FileExistsOnlyForPlainFiles) {
    EXPECT_TRUE(fileExists("b.txt"));
    EXPECT_TRUE(fileExists("a.txt"));  // letter case does not matter
    EXPECT_TRUE(fileExists("d.dat"));
    EXPECT_FALSE(fileExists(hidden_));
    EXPECT_FALSE(fileExists(system_));
    EXPECT_FALSE(fileExists("c.txt"));
    EXPECT_FALSE(fileExists("missing.txt"));
    EXPECT_FALSE(fileExists(""));
}

TEST_F(Listing, FileExistsWithAMaskAsksForAnyPlainFile) {
    EXPECT_TRUE(fileExists("*.dat"));
    EXPECT_TRUE(fileExists("?.txt"));
    EXPECT_FALSE(fileExists("*.ini"));
}

TEST_F(Listing, FileExistsAbandonsTheListingInProgress) {
    ASSERT_FALSE(dirFirst("*.txt", attr::kNone).empty());
    EXPECT_TRUE(fileExists("d.dat"));
    EXPECT_EQ(dirNext(), "");
}

#ifndef _WIN32
// On POSIX a symbolic link is what it points to; a dangling one is no entry.
TEST_F(Listing, SymbolicLinksCountAsTheirTargets) {
    ASSERT_EQ(symlink("b.txt", "link-to-file.txt"), 0);
    ASSERT_EQ(symlink("c.txt", "link-to-directory.txt"), 0);
    ASSERT_EQ(symlink("missing", "dangling.txt"), 0);
    EXPECT_EQ(listAll("*.txt", attr::kNone), (Names{"A.TXT", "b.txt", "link-to-file.txt"}));
    EXPECT_EQ(listAll("*.txt", attr::kDirectory),
              (Names{"A.TXT", "b.txt", "c.txt", "link-to-directory.txt", "link-to-file.txt"}));
    EXPECT_TRUE(fileExists("link-to-file.txt"));
    EXPECT_FALSE(fileExists("dangling.txt"));
    EXPECT_EQ(dirFirst("dangling.txt", attr::kDirectory | attr::kHidden | attr::kSystem), "");
}

TEST_F(Listing, AFifoIsASystemEntry) {
    ASSERT_EQ(system_, "s.txt");
    EXPECT_TRUE(fs::is_fifo(system_));
    EXPECT_FALSE(fileExists("s.txt"));
    EXPECT_EQ(dirFirst("s.txt", attr::kSystem), "s.txt");
}

TEST_F(Listing, AHiddenDirectoryNeedsBothAttributes) {
    fs::create_directory(".hidden-dir");
    EXPECT_EQ(dirFirst(".hidden-dir", attr::kDirectory), "");
    EXPECT_EQ(dirFirst(".hidden-dir", attr::kHidden), "");
    EXPECT_EQ(dirFirst(".hidden-dir", attr::kDirectory | attr::kHidden), ".hidden-dir");
}
#endif

}  // namespace
}  // namespace corrivex::test
