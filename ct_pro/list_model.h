// The state of the multi-selection list: its entries, the focused entry,
// the first entry in view, the selection and the anchor of range
// selections, with the moves that keys and clicks make.
//
// Empty entries are shown but cannot be chosen, so that the result never
// holds an empty field.
#pragma once

#include <string>
#include <vector>

namespace corrivex::ctpro {

// The entries a list of slots shows: every slot up to the last non-empty one.
std::vector<std::string> shownEntries(std::vector<std::string> slots);

class ListModel {
public:
    ListModel(std::vector<std::string> entries, int pageRows);

    int count() const { return static_cast<int>(entries_.size()); }
    const std::string& entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }
    bool selectable(int index) const;
    bool selected(int index) const { return selected_[static_cast<std::size_t>(index)] != 0; }
    int selectedCount() const { return selectedCount_; }
    // -1 when the list is empty.
    int focus() const { return focus_; }
    int top() const { return top_; }

    // Focus moves; each brings the focused entry into view.
    void moveBy(int delta);
    void pageDown();
    void pageUp();
    void home();
    void end();
    // The next entry after the focused one (going round) whose text begins
    // with `ch`, letters of either case alike. False when there is none.
    bool jumpTo(unsigned char ch);

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
    void click(int index, bool ctrl, bool shift);
    // A double-click: that entry alone is chosen. False when it cannot be
    // chosen (an empty entry), so the list stays open.
    bool chooseOnly(int index);

    // The chosen entries' texts in list order, one NUL byte between two.
    std::string result() const;

private:
    void setSelected(int index, bool on);
    void clearSelection();
    void focusOn(int index);
    void bringIntoView();
    int maxTop() const;

    std::vector<std::string> entries_;
    std::vector<char> selected_;
    int selectedCount_ = 0;
    int pageRows_;
    int focus_ = -1;
    int top_ = 0;
    int anchor_ = -1;
};

}  // namespace corrivex::ctpro
