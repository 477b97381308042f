#include "ct_pro/list_model.h"

#include <algorithm>
#include <numeric>
#include <string_view>

#include "ct_pro/text_fit.h"

namespace corrivex::ctpro {

std::vector<std::string> shownEntries(std::vector<std::string> slots) {
    while (!slots.empty() && slots.back().empty()) slots.pop_back();
    return slots;
}

ListModel::ListModel(std::vector<std::string> entries, int pageRows)
    : entries_(std::move(entries)),
      shown_(entries_.size()),
      selected_(entries_.size(), 0),
      pageRows_(std::max(pageRows, 1)) {
    std::iota(shown_.begin(), shown_.end(), 0);
    if (!entries_.empty()) focus_ = 0;
}

bool ListModel::selectable(int pos) const { return pos >= 0 && pos < count() && !entry(pos).empty(); }

void ListModel::setPageRows(int rows) {
    pageRows_ = std::max(rows, 1);
    top_ = std::min(top_, maxTop());
    if (focus_ >= 0) bringIntoView();
}

int ListModel::maxTop() const { return std::max(count() - pageRows_, 0); }

void ListModel::bringIntoView() {
    if (focus_ >= 0) {
        if (focus_ < top_) top_ = focus_;
        if (focus_ >= top_ + pageRows_) top_ = focus_ - pageRows_ + 1;
    }
    top_ = std::clamp(top_, 0, maxTop());
}

void ListModel::focusOn(int pos) {
    if (count() == 0) return;
    focus_ = std::clamp(pos, 0, count() - 1);
    bringIntoView();
}

void ListModel::moveBy(int delta) { focusOn(focus_ + delta); }

// A page key moves the focus and the view by a page each, so the focus
// keeps its row on the screen until the view meets an end of the list.
void ListModel::pageDown() {
    if (count() == 0) return;
    focus_ = std::min(focus_ + pageRows_, count() - 1);
    top_ = std::min(top_ + pageRows_, maxTop());
    bringIntoView();
}

void ListModel::pageUp() {
    if (count() == 0) return;
    focus_ = std::max(focus_ - pageRows_, 0);
    top_ = std::max(top_ - pageRows_, 0);
    bringIntoView();
}

void ListModel::home() { focusOn(0); }

void ListModel::end() { focusOn(count() - 1); }

const std::u32string& ListModel::folded(std::size_t index) {
    if (folded_.size() != entries_.size()) {
        folded_.clear();
        folded_.reserve(entries_.size());
        for (const std::string& text : entries_) folded_.push_back(shownFolded(text));
    }
    return folded_[index];
}

bool ListModel::jumpTo(std::string_view typed, bool fromFocused) {
    const int n = count();
    const std::u32string start = shownFolded(typed);
    if (start.empty() || n == 0) return false;
    for (int step = fromFocused ? 0 : 1; step <= n; ++step) {
        const int pos = (focus_ + step) % n;
        if (folded(indexOf(pos)).starts_with(start)) {
            focusOn(pos);
            return true;
        }
    }
    return false;
}

void ListModel::scrollBy(int rows) { top_ = std::clamp(top_ + rows, 0, maxTop()); }

void ListModel::setSelected(int pos, bool on) {
    if (!selectable(pos)) return;
    selected_[indexOf(pos)] = on ? 1 : 0;
}

void ListModel::markRange(int from, int to) {
    for (int pos = std::min(from, to); pos <= std::max(from, to); ++pos) setSelected(pos, true);
}

void ListModel::toggleFocused() {
    if (focus_ < 0) return;
    setSelected(focus_, !selected(focus_));
    anchor_ = focus_;
}

void ListModel::click(int pos, bool ctrl, bool shift) {
    if (pos < 0 || pos >= count()) return;
    if (!ctrl) markNone();
    dragBase_ = selected_;
    if (shift) {
        markRange(anchor_ >= 0 ? anchor_ : std::max(focus_, 0), pos);
    } else {
        setSelected(pos, !ctrl || !selected(pos));
        anchor_ = pos;
    }
    focusOn(pos);
}

void ListModel::dragTo(int pos) {
    if (pos < 0 || pos >= count() || anchor_ < 0 || dragBase_.size() != selected_.size()) return;
    selected_ = dragBase_;
    markRange(anchor_, pos);
    focusOn(pos);
}

bool ListModel::chooseOnly(int pos) {
    if (!selectable(pos)) return false;
    std::fill(selected_.begin(), selected_.end(), 0);
    setSelected(pos, true);
    anchor_ = pos;
    focusOn(pos);
    return true;
}

void ListModel::markAll() {
    for (int pos = 0; pos < count(); ++pos) setSelected(pos, true);
}

void ListModel::markNone() {
    for (int pos = 0; pos < count(); ++pos) setSelected(pos, false);
}

void ListModel::invertMarks() {
    for (int pos = 0; pos < count(); ++pos) setSelected(pos, !selected(pos));
}

void ListModel::setFilter(std::string text) {
    const int focused = focus_ >= 0 ? shown_[static_cast<std::size_t>(focus_)] : 0;
    filter_ = std::move(text);
    const std::u32string part = shownFolded(filter_);
    shown_.clear();
    for (int index = 0; index < total(); ++index)
        if (part.empty() || folded(static_cast<std::size_t>(index)).find(part) != std::u32string::npos)
            shown_.push_back(index);
    // Positions name other entries now: a range starts afresh.
    anchor_ = -1;
    dragBase_.clear();
    const auto next = std::lower_bound(shown_.begin(), shown_.end(), focused);
    focus_ = shown_.empty() ? -1 : static_cast<int>(std::min(next - shown_.begin(), std::ptrdiff_t{count() - 1}));
    bringIntoView();
}

std::string ListModel::result() const {
    std::string text;
    bool first = true;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (selected_[i] == 0) continue;
        if (!first) text += '\0';
        text += entries_[i];
        first = false;
    }
    return text;
}

}  // namespace corrivex::ctpro
