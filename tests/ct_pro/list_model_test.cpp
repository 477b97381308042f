#include "list_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corrivex::ctpro {
namespace {

std::vector<std::string> letters(int count) {
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) entries.push_back(std::string(1, static_cast<char>('a' + i % 26)) + std::to_string(i));
    return entries;
}

TEST(ListModel, ShownEntriesEndAtTheLastNonEmptySlot) {
    std::vector<std::string> slots(1000);
    EXPECT_TRUE(shownEntries(slots).empty());
    slots[0] = "A";
    slots[2] = "C";
    EXPECT_EQ(shownEntries(slots), (std::vector<std::string>{"A", "", "C"}));
    slots[999] = "Z";
    EXPECT_EQ(shownEntries(slots).size(), 1000u);
}

TEST(ListModel, PagesMoveFocusAndViewTogether) {
    ListModel model(letters(25), 10);
    model.moveBy(3);
    model.pageDown();
    EXPECT_EQ(model.focus(), 13);
    EXPECT_EQ(model.top(), 10);
    model.pageDown();  // the view meets the end
    EXPECT_EQ(model.focus(), 23);
    EXPECT_EQ(model.top(), 15);
    model.pageDown();
    EXPECT_EQ(model.focus(), 24);
    model.pageUp();
    EXPECT_EQ(model.focus(), 14);
    EXPECT_EQ(model.top(), 5);
    model.pageUp();
    model.pageUp();
    EXPECT_EQ(model.focus(), 0);
    EXPECT_EQ(model.top(), 0);
}

TEST(ListModel, ScrollingMovesOnlyTheViewWithinItsBounds) {
    ListModel model(letters(25), 10);
    model.scrollBy(-3);
    EXPECT_EQ(model.top(), 0);
    model.scrollBy(100);
    EXPECT_EQ(model.top(), 15);
    EXPECT_EQ(model.focus(), 0);
    model.moveBy(1);  // a move brings the focus back into view
    EXPECT_EQ(model.top(), 1);

    ListModel shortList(letters(3), 10);
    shortList.scrollBy(2);
    EXPECT_EQ(shortList.top(), 0);
}

TEST(ListModel, ResultHoldsTheChosenTextsExactly) {
    ListModel model({" A ", "B,C", "", std::string("D\0E", 3)}, 10);
    model.click(0, true, false);
    model.click(1, true, false);
    model.click(2, true, false);
    model.click(3, true, false);
    EXPECT_EQ(model.selectedCount(), 3);
    EXPECT_EQ(model.result(), std::string(" A \0B,C\0D\0E", 11));
    model.click(1, true, false);
    EXPECT_EQ(model.result(), std::string(" A \0D\0E", 7));
}

TEST(ListModel, ShiftClickWithoutAnAnchorStartsAtTheFocus) {
    ListModel model(letters(8), 10);
    model.moveBy(2);
    model.click(4, false, true);
    EXPECT_EQ(model.result(), std::string("c2\0d3\0e4", 8));
}

TEST(ListModel, JumpsCompareLettersWithoutCaseAndOtherBytesExactly) {
    ListModel model({"x", "\xC4pfel", "Apple", "\xE4hre", "", "apricot"}, 10);
    EXPECT_TRUE(model.jumpTo('a'));
    EXPECT_EQ(model.focus(), 2);
    EXPECT_TRUE(model.jumpTo('A'));
    EXPECT_EQ(model.focus(), 5);
    EXPECT_TRUE(model.jumpTo(0xE4));
    EXPECT_EQ(model.focus(), 3);
    EXPECT_TRUE(model.jumpTo(0xC4));
    EXPECT_EQ(model.focus(), 1);
    EXPECT_FALSE(model.jumpTo('q'));
    EXPECT_EQ(model.focus(), 1);
}

}  // namespace
}  // namespace corrivex::ctpro
