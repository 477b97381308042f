#include "selection/base_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace corrivex::selection {
namespace {

struct Lists {
    std::vector<Text> FileNames;
    NameList BaseNames{};
    std::int16_t BaseNameCount = -1;

    explicit Lists(std::vector<Text> names) : FileNames(std::move(names)) {}
    void fill() { fillBaseNames(FileNames, BaseNames, BaseNameCount); }
    std::vector<Text> bases() const { return {BaseNames.begin(), BaseNames.begin() + BaseNameCount}; }
    bool restEmpty() const {
        for (int i = BaseNameCount; i < kNameSlots; ++i)
            if (!BaseNames[i].empty()) return false;
        return true;
    }
};

std::vector<Text> numberedNames(int count, const Text& extension) {
    std::vector<Text> names;
    for (int i = 0; i < count; ++i) names.push_back("N" + std::to_string(10000 + i) + extension);
    return names;
}

TEST(FillBaseNames, DataSetHeldAsTxtAndDatStandsOnce) {
    Lists lists({"ALPHA.DAT", "ALPHA.TXT", "BETA.DAT"});
    lists.fill();
    EXPECT_EQ(lists.bases(), (std::vector<Text>{"ALPHA", "BETA"}));
    EXPECT_TRUE(lists.restEmpty());
}

TEST(FillBaseNames, RepeatsThatAreNotNeighboursStandOnce) {
    Lists lists({"DELTA.DAT", "DELTA.E.TXT", "DELTA.TXT"});
    lists.fill();
    EXPECT_EQ(lists.bases(), (std::vector<Text>{"DELTA", "DELTA.E"}));
    EXPECT_TRUE(lists.restEmpty());
}

TEST(FillBaseNames, RepeatsCompareTrimmedAndTheFirstIsKeptUntrimmed) {
    Lists lists({"ALPHA .TXT", "ALPHA.DAT", " ALPHA.TXT", "BETA.DAT", "BETA  .TXT"});
    lists.fill();
    EXPECT_EQ(lists.bases(), (std::vector<Text>{"ALPHA ", "BETA"}));
}

TEST(FillBaseNames, OnlyBlanksMatterForTrimming) {
    Lists lists({"A\t.TXT", "A.TXT", "a.TXT"});
    lists.fill();
    EXPECT_EQ(lists.bases(), (std::vector<Text>{"A\t", "A", "a"}));
}

TEST(FillBaseNames, UnsortedTextFilesKeepTheirOrder) {
    Lists lists({"B.TXT", "A.TXT", "C.TXT", "A.TXT"});
    lists.fill();
    EXPECT_EQ(lists.bases(), (std::vector<Text>{"B", "A", "C"}));
}

TEST(FillBaseNames, NoFileGivesOneEmptySlot) {
    Lists lists({});
    lists.BaseNames[0] = "OLD";
    lists.BaseNames[5] = "OLD";
    lists.fill();
    EXPECT_EQ(lists.BaseNameCount, 1);
    EXPECT_EQ(lists.BaseNames[0], "");
    EXPECT_TRUE(lists.restEmpty());
}

TEST(FillBaseNames, EmptyBaseNameIsAnEntryOfItsOwn) {
    Lists lists({".TXT", "A.TXT", " .DAT"});
    lists.fill();
    EXPECT_EQ(lists.bases(), (std::vector<Text>{"", "A"}));
}

TEST(FillBaseNames, ClearsSlotsLeftFromBefore) {
    Lists lists({"A.TXT", "A.DAT"});
    for (Text& slot : lists.BaseNames) slot = "STALE";
    lists.fill();
    EXPECT_EQ(lists.bases(), (std::vector<Text>{"A"}));
    EXPECT_TRUE(lists.restEmpty());
}

TEST(FillBaseNames, AFullTableOfDistinctNamesIsKeptWhole) {
    Lists lists(numberedNames(kNameSlots, ".TXT"));
    lists.fill();
    ASSERT_EQ(lists.BaseNameCount, kNameSlots);
    EXPECT_EQ(lists.BaseNames[kNameSlots - 1], "N10999");
}

TEST(FillBaseNames, MoreDistinctNamesThanSlotsKeepTheFirstThousand) {
    Lists lists(numberedNames(1500, ".DAT"));
    lists.fill();
    ASSERT_EQ(lists.BaseNameCount, kNameSlots);
    EXPECT_EQ(lists.BaseNames[0], "N10000");
    EXPECT_EQ(lists.BaseNames[kNameSlots - 1], "N10999");
    EXPECT_EQ(countDataSets(numberedNames(1500, ".DAT")), 1500u);
}

TEST(FillBaseNames, PairsBeyondAThousandNamesStillFitAsDataSets) {
    // 1200 file names, 600 data sets each held as .DAT and .TXT.
    std::vector<Text> names;
    for (const Text& name : numberedNames(600, "")) {
        names.push_back(name + ".DAT");
        names.push_back(name + ".TXT");
    }
    Lists lists(names);
    lists.fill();
    ASSERT_EQ(lists.BaseNameCount, 600);
    EXPECT_EQ(lists.BaseNames[599], "N10599");
    const std::set<Text> distinct(lists.BaseNames.begin(), lists.BaseNames.begin() + 600);
    EXPECT_EQ(distinct.size(), 600u);
    EXPECT_TRUE(lists.restEmpty());
    names.push_back("N10000 .TXT");  // the same data set once trimmed
    EXPECT_EQ(countDataSets(names), 600u);
}

}  // namespace
}  // namespace corrivex::selection
