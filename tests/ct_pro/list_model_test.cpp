#include "ct_pro/list_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ct_pro/type_ahead.h"
#include "platform/console_text.h"
#include "platform_text.h"

namespace corrivex::ctpro {
namespace {

std::vector<std::string> letters(int count) {
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(std::string(1, static_cast<char>('a' + i % 26)) + std::to_string(i));
    return entries;
}

TEST(ListModel, ShownEntriesEndAtTheLastNonEmptySlot) {
    constexpr std::size_t kSlots = 1000;
    std::vector<std::string> slots(kSlots);
    EXPECT_TRUE(shownEntries(slots).empty());
    slots[0] = "A";
    slots[2] = "C";
    EXPECT_EQ(shownEntries(slots), (std::vector<std::string>{"A", "", "C"}));
    slots[kSlots - 1] = "Z";
    EXPECT_EQ(shownEntries(slots).size(), kSlots);
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

// Ä and ä as names hold them: on POSIX the bytes 0x8E and 0x84, which are
// no UTF-8 and show as their code page 437 glyphs; on Windows the letters in
// the ANSI code page (none where it has no such letter).
std::optional<std::string> umlaut(bool capital) {
#ifdef _WIN32
    return corrivex::testing::platformText(capital ? "\u00C4" : "\u00E4");
#else
    return std::string(1, capital ? '\x8E' : '\x84');
#endif
}

// Typed at their times (ms): a prefix within a second, the same letter again
// for the next entry, either case alike, names as shown.
TEST(ListModel, TypeAheadFindsTheNamesAsShown) {
    if (!umlaut(true)) GTEST_SKIP() << "the code page has no \u00C4";
    ListModel model({"x", *umlaut(true) + "pfel", "Apple", "\xE4hre", "", "apricot", "BETA", "bravo", "Brot"}, 10);
    const std::tuple<char32_t, int, bool, int> rows[] = {
        // clang-format off
        {'a', 0, true, 2}, {'A', 2000, true, 5}, {platform::glyphCharOf(0x84), 4000, true, 1},
        {'b', 8000, true, 6}, {'r', 8500, true, 7}, {'o', 9000, true, 8},     // "bro"
        {'b', 12000, true, 6}, {'b', 12500, true, 7}, {'b', 13000, true, 8},  // the next b each time
        {'q', 13200, false, 8}, {'x', 20000, true, 0},
        // clang-format on
    };
    TypeAhead typeAhead;
    for (const auto& [typed, ms, found, focus] : rows) {
        const TypeAhead::Search search = typeAhead.type(typed, ms);
        EXPECT_EQ(model.jumpTo(search.prefix, search.fromFocused), found) << ms;
        EXPECT_EQ(model.focus(), focus) << ms;
    }
}

// Marks, filters and drags on ALPHA, BETA, an empty entry, GAMMA and GOLF,
// the focus starting on ALPHA.
struct MarkRow {
    const char* what;
    std::function<void(ListModel&)> act;
    std::vector<std::string> chosen;
};

TEST(ListModel, MarkFilterAndDragRows) {
    // clang-format off
    const MarkRow rows[] = {
        {"all, skipping the empty entry", [](ListModel& m) { m.markAll(); }, {"ALPHA", "BETA", "GAMMA", "GOLF"}},
        {"none", [](ListModel& m) { m.markAll(); m.markNone(); }, {}},
        {"invert after marking the first", [](ListModel& m) { m.toggleFocused(); m.invertMarks(); },
         {"BETA", "GAMMA", "GOLF"}},
        {"all of the shown", [](ListModel& m) { m.setFilter("g"); m.markAll(); }, {"GAMMA", "GOLF"}},
        {"filter without regard to case, hidden marks kept",
         [](ListModel& m) { m.toggleFocused(); m.setFilter("gO"); m.markAll(); }, {"ALPHA", "GOLF"}},
        {"invert of the shown",
         [](ListModel& m) { m.markAll(); m.setFilter("ga"); m.invertMarks(); }, {"ALPHA", "BETA", "GOLF"}},
        {"none of the shown", [](ListModel& m) { m.markAll(); m.setFilter("A"); m.markNone(); }, {"GOLF"}},
        {"space on a shown entry marks that entry",
         [](ListModel& m) { m.setFilter("ol"); m.toggleFocused(); m.setFilter(""); }, {"GOLF"}},
        {"a plain click keeps the hidden marks",
         [](ListModel& m) { m.toggleFocused(); m.setFilter("g"); m.click(0, false, false); m.click(1, false, false); },
         {"ALPHA", "GOLF"}},
        {"drag from a click", [](ListModel& m) { m.click(0, false, false); m.dragTo(3); }, {"ALPHA", "BETA", "GAMMA"}},
        {"drag back shrinks the range",
         [](ListModel& m) { m.click(0, false, false); m.dragTo(4); m.dragTo(1); }, {"ALPHA", "BETA"}},
        {"drag upwards", [](ListModel& m) { m.click(4, false, false); m.dragTo(3); }, {"GAMMA", "GOLF"}},
        {"drag after a plain click drops other marks",
         [](ListModel& m) { m.toggleFocused(); m.click(3, false, false); m.dragTo(4); }, {"GAMMA", "GOLF"}},
        {"drag after a Ctrl+click adds to the marks",
         [](ListModel& m) { m.click(4, false, false); m.click(0, true, false); m.dragTo(1); }, {"ALPHA", "BETA", "GOLF"}},
        {"drag in the shown entries",
         [](ListModel& m) { m.setFilter("A"); m.click(2, false, false); m.dragTo(1); }, {"BETA", "GAMMA"}},
        {"no drag without a click", [](ListModel& m) { m.toggleFocused(); m.dragTo(3); }, {"ALPHA"}},
        {"no drag across a filter change",
         [](ListModel& m) { m.click(0, false, false); m.setFilter("g"); m.dragTo(1); }, {"ALPHA"}},
    };
    // clang-format on
    for (const MarkRow& row : rows) {
        SCOPED_TRACE(row.what);
        ListModel model({"ALPHA", "BETA", "", "GAMMA", "GOLF"}, 10);
        row.act(model);
        std::string expected;
        for (const std::string& name : row.chosen) expected += (expected.empty() ? "" : std::string(1, '\0')) + name;
        EXPECT_EQ(model.result(), expected);
        EXPECT_EQ(model.selectedCount(), static_cast<int>(row.chosen.size()));
    }
}

// The entries a filter shows, and where the focus goes, from the focus on
// GAMMA.
struct FilterRow {
    std::string filter;
    std::vector<std::string> shown;
    std::string focused;  // empty: no focus
};

TEST(ListModel, FilterRows) {
    if (!umlaut(true) || !umlaut(false)) GTEST_SKIP() << "the code page has no \u00C4";
    const std::string arger = *umlaut(true) + "RGER";  // ÄRGER
    const FilterRow rows[] = {
        {"", {"ALPHA", "BETA", "", "GAMMA", "GOLF", "A\xE4", arger}, "GAMMA"},
        {"a", {"ALPHA", "BETA", "GAMMA", "A\xE4"}, "GAMMA"},
        {"gOl", {"GOLF"}, "GOLF"},   // GAMMA hidden: the next shown one
        {"ph", {"ALPHA"}, "ALPHA"},  // none after it: the last shown one
        {"x", {}, ""},
        {"a\xE4", {"A\xE4"}, "A\xE4"},  // a byte that is no UTF-8 matches as its glyph
#ifndef _WIN32
        {"A\xC4", {}, ""},
#endif
        {*umlaut(false) + "rg", {arger}, arger},  // letters beyond ASCII without regard to case
    };
    for (const FilterRow& row : rows) {
        SCOPED_TRACE("filter \"" + row.filter + "\"");
        ListModel model({"ALPHA", "BETA", "", "GAMMA", "GOLF", "A\xE4", arger}, 2);
        model.moveBy(3);
        model.setFilter(row.filter);
        std::vector<std::string> shown;
        for (int pos = 0; pos < model.count(); ++pos) shown.push_back(model.entry(pos));
        EXPECT_EQ(shown, row.shown);
        EXPECT_EQ(model.total(), 7);
        if (row.focused.empty()) {
            EXPECT_EQ(model.focus(), -1);
        } else {
            ASSERT_GE(model.focus(), 0);
            EXPECT_EQ(model.entry(model.focus()), row.focused);
            EXPECT_LE(model.top(), model.focus());
            EXPECT_GT(model.top() + 2, model.focus()) << "the focus is in view";
        }
        // Moves and marks on what is shown stay within it.
        model.end();
        model.pageDown();
        model.markAll();
        model.toggleFocused();
        EXPECT_EQ(model.focus(), model.count() - 1);
    }
}

}  // namespace
}  // namespace corrivex::ctpro
