#include "selection/chosen_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corrivex::selection {
namespace {

using namespace std::string_literals;

struct Chosen {
    NameList names{};
    std::int16_t count = -1;

    std::vector<Text> runs() const { return {names.begin(), names.begin() + count}; }
    bool restEmpty() const {
        for (int i = count; i < kNameSlots; ++i)
            if (!names[i].empty()) return false;
        return true;
    }
};

Chosen split(const Text& selection, std::int16_t baseNameCount) {
    Chosen chosen;
    splitSelection(selection, baseNameCount, chosen.names, chosen.count);
    return chosen;
}

// ---- Fields -------------------------------------------------------------

TEST(FieldOf, SplitsAtNulBytesOnly) {
    const Text text = "ALPHA\0BETA, GAMMA\0\0 D \0"s;
    EXPECT_EQ(fieldOf(text, 1), "ALPHA");
    EXPECT_EQ(fieldOf(text, 2), "BETA, GAMMA");
    EXPECT_EQ(fieldOf(text, 3), "");
    EXPECT_EQ(fieldOf(text, 4), " D ");
    EXPECT_EQ(fieldOf(text, 5), "");  // behind the final NUL
    EXPECT_EQ(fieldOf(text, 6), "");  // beyond the last field
}

TEST(FieldOf, TextWithoutSeparatorIsFieldOne) {
    EXPECT_EQ(fieldOf("ALPHA", 1), "ALPHA");
    EXPECT_EQ(fieldOf("ALPHA", 2), "");
    EXPECT_EQ(fieldOf("", 1), "");
    EXPECT_EQ(fieldOf("ALPHA", 0), "");
    EXPECT_EQ(fieldOf("ALPHA", -1), "");
}

// ---- Chosen names -------------------------------------------------------

TEST(SplitSelection, TwoOfThreeChosen) {
    const Chosen chosen = split("ALPHA\0GAMMA"s, 3);
    EXPECT_EQ(chosen.count, 2);
    EXPECT_EQ(chosen.runs(), (std::vector<Text>{"ALPHA", "GAMMA"}));
    EXPECT_TRUE(chosen.restEmpty());
}

TEST(SplitSelection, OneNameWithoutSeparator) {
    const Chosen chosen = split("BETA", 3);
    EXPECT_EQ(chosen.runs(), (std::vector<Text>{"BETA"}));
}

TEST(SplitSelection, TrailingSeparatorAddsNothing) {
    const Chosen chosen = split("ALPHA\0"s, 3);
    EXPECT_EQ(chosen.runs(), (std::vector<Text>{"ALPHA"}));
    EXPECT_TRUE(chosen.restEmpty());
}

TEST(SplitSelection, BlanksAroundAFieldAreDropped) {
    const Chosen chosen = split("  BETA \0 G A \0"s, 3);
    EXPECT_EQ(chosen.runs(), (std::vector<Text>{"BETA", "G A"}));
}

TEST(SplitSelection, OnlyBlanksAreTrimmed) {
    const Chosen chosen = split("\tBETA\0"s, 3);
    EXPECT_EQ(chosen.runs(), (std::vector<Text>{"\tBETA"}));
}

TEST(SplitSelection, BlankFieldIsNotCounted) {
    const Chosen chosen = split("   ", 3);
    EXPECT_EQ(chosen.count, 0);
    EXPECT_TRUE(chosen.restEmpty());
}

TEST(SplitSelection, EmptyResultChoosesNothing) {
    const Chosen chosen = split("", 5);
    EXPECT_EQ(chosen.count, 0);
    EXPECT_TRUE(chosen.restEmpty());
}

TEST(SplitSelection, FieldsBeyondTheListAreNotLookedAt) {
    EXPECT_EQ(split("A\0B\0C"s, 2).runs(), (std::vector<Text>{"A", "B"}));
    EXPECT_EQ(split("A\0B\0C"s, 1).runs(), (std::vector<Text>{"A"}));
    EXPECT_EQ(split("\0B"s, 1).count, 0);
    EXPECT_EQ(split("A\0B"s, 0).count, 0);
    EXPECT_EQ(split("A\0B"s, -3).count, 0);
}

TEST(SplitSelection, CommaDoesNotSplit) { EXPECT_EQ(split("A,B\0C"s, 2).runs(), (std::vector<Text>{"A,B", "C"})); }

TEST(SplitSelection, EmptyFieldsLeaveNoGap) {
    // An empty or blank entry among the chosen ones: every non-empty name is
    // kept, in order, from slot 1 on.
    const Chosen chosen = split("ALPHA\0  \0\0GAMMA\0DELTA"s, 5);
    EXPECT_EQ(chosen.runs(), (std::vector<Text>{"ALPHA", "GAMMA", "DELTA"}));
    EXPECT_TRUE(chosen.restEmpty());
}

TEST(SplitSelection, EmptyFieldsStillCountTowardsTheFieldsLookedAt) {
    EXPECT_EQ(split("\0\0C"s, 2).count, 0);
    EXPECT_EQ(split("\0\0C"s, 3).runs(), (std::vector<Text>{"C"}));
}

TEST(SplitSelection, ClearsSlotsLeftFromBefore) {
    Chosen chosen;
    for (Text& slot : chosen.names) slot = "STALE";
    splitSelection("A\0\0B"s, kNameSlots, chosen.names, chosen.count);
    EXPECT_EQ(chosen.runs(), (std::vector<Text>{"A", "B"}));
    EXPECT_TRUE(chosen.restEmpty());
}

TEST(SplitSelection, AThousandNamesFillTheTable) {
    Text selection;
    for (int i = 0; i < 1200; ++i) selection += (i ? "\0"s : ""s) + "N" + std::to_string(i);
    const Chosen chosen = split(selection, kNameSlots);
    ASSERT_EQ(chosen.count, kNameSlots);
    EXPECT_EQ(chosen.names[kNameSlots - 1], "N999");
    // A count above the table reads no more than the table holds.
    EXPECT_EQ(split(selection, 5 * kNameSlots).count, kNameSlots);
}

TEST(SplitSelection, KeepsOtherBytesOfTheName) {
    const Text name = "\x80\xFF\x01 X"s;
    EXPECT_EQ(split(name + "\0"s, 1).runs(), (std::vector<Text>{name}));
}

}  // namespace
}  // namespace corrivex::selection
