// The state of the multi-selection list: its entries, the filter that picks
// the entries shown, the focused entry, the first entry in view, the
// selection and the anchor of range selections, with the moves and marks
// that keys, clicks and drags make.
//
// Positions count the shown entries: every entry, or with a filter on only
// those that match it. Marks belong to the entries themselves, so they stay
// on entries that a filter hides and count in the result.
//
// Empty entries are shown but cannot be chosen, so that the result never
// holds an empty field.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace corrivex::ctpro {

// The entries a list of slots shows: every slot up to the last non-empty one.
std::vector<std::string> shownEntries(std::vector<std::string> slots);

class ListModel {
public:
    ListModel(std::vector<std::string> entries, int pageRows);

    // The shown entries, and all of them.
    int count() const { return static_cast<int>(shown_.size()); }
    int total() const { return static_cast<int>(entries_.size()); }
    const std::string& entry(int pos) const { return entries_[indexOf(pos)]; }
    // Which of all the entries stands at `pos`.
    std::size_t entryIndex(int pos) const { return indexOf(pos); }
    bool selectable(int pos) const;
    bool selected(int pos) const { return selected_[indexOf(pos)] != 0; }
    // Over all entries, shown or not.
    int selectedCount() const { return static_cast<int>(std::count(selected_.begin(), selected_.end(), 1)); }
    // -1 when no entry is shown.
    int focus() const { return focus_; }
    int top() const { return top_; }

    // Focus moves; each brings the focused entry into view.
    void moveBy(int delta);
    void pageDown();
    void pageUp();
    void home();
    void end();
    // The first entry after the focused one, or from the focused one on
    // (`fromFocused`), going round, whose text as shown begins with `typed`,
    // letters of either case alike. False when there is none.
    bool jumpTo(std::string_view typed, bool fromFocused = false);

    // The view moves; the focus stays.
    void scrollBy(int rows);
    // The list shows `rows` entries now; the focused entry stays in view.
    void setPageRows(int rows);

    // Space: the focused entry's mark flips; it becomes the anchor.
    void toggleFocused();
    // A click on an entry: it alone is chosen (plain), its mark flips (ctrl),
    // the entries from the anchor to it are chosen alone (shift) or in
    // addition (ctrl+shift). The entry gets the focus; plain and ctrl clicks
    // make it the anchor.
    void click(int pos, bool ctrl, bool shift);
    // The pointer dragged to `pos` with the button still held after a
    // click: the entries from the anchor to it are chosen, alone or, when
    // the click was a Ctrl+click, in addition to the marks it found. Moving
    // back shrinks the range again. Does nothing without a click before.
    void dragTo(int pos);
    // A double-click: that entry alone is chosen. False when it cannot be
    // chosen (an empty entry), so the list stays open.
    bool chooseOnly(int pos);

    // The marks of the shown entries: all set, all cleared, each flipped.
    void markAll();
    void markNone();
    void invertMarks();

    // Shows only the entries whose text as shown contains `text` as shown,
    // letters of either case alike; the empty text shows every entry. The
    // focus stays on its entry while that is shown, else goes to the next
    // shown one.
    void setFilter(std::string text);
    const std::string& filter() const { return filter_; }

    // The chosen entries' texts in list order, one NUL byte between two.
    std::string result() const;

private:
    std::size_t indexOf(int pos) const { return static_cast<std::size_t>(shown_[static_cast<std::size_t>(pos)]); }
    void setSelected(int pos, bool on);
    void markRange(int from, int to);
    void focusOn(int pos);
    // The entry's text as shown, folded (shownFolded): made for every entry
    // when first needed, so that a list that is never searched costs nothing.
    const std::u32string& folded(std::size_t index);
    void bringIntoView();
    int maxTop() const;

    std::vector<std::string> entries_;
    std::vector<std::u32string> folded_;
    std::vector<int> shown_;  // entry index of each position
    std::string filter_;
    std::vector<char> selected_;
    std::vector<char> dragBase_;  // the marks a drag adds its range to
    int pageRows_;
    int focus_ = -1;
    int top_ = 0;
    int anchor_ = -1;
};

}  // namespace corrivex::ctpro
