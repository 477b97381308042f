#include "list_model.h"

#include <algorithm>

#include "text_fit.h"

namespace corrivex::ctpro {

std::vector<std::string> shownEntries(std::vector<std::string> slots) {
    while (!slots.empty() && slots.back().empty()) slots.pop_back();
    return slots;
}

ListModel::ListModel(std::vector<std::string> entries, int pageRows)
    : entries_(std::move(entries)), selected_(entries_.size(), 0), pageRows_(std::max(pageRows, 1)) {
    if (!entries_.empty()) focus_ = 0;
}

bool ListModel::selectable(int index) const {
    return index >= 0 && index < count() && !entries_[static_cast<std::size_t>(index)].empty();
}

void ListModel::setPageRows(int rows) {
    pageRows_ = std::max(rows, 1);
    top_ = std::min(top_, maxTop());
    if (focus_ >= 0) bringIntoView();
}

int ListModel::maxTop() const { return std::max(count() - pageRows_, 0); }

void ListModel::bringIntoView() {
    if (focus_ < 0) return;
    if (focus_ < top_) top_ = focus_;
    if (focus_ >= top_ + pageRows_) top_ = focus_ - pageRows_ + 1;
    top_ = std::clamp(top_, 0, maxTop());
}

void ListModel::focusOn(int index) {
    if (count() == 0) return;
    focus_ = std::clamp(index, 0, count() - 1);
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

bool ListModel::jumpTo(unsigned char ch) {
    const int n = count();
    const unsigned char wanted = foldCase(ch);
    for (int step = 1; step <= n; ++step) {
        const int index = (focus_ + step) % n;
        const std::string& text = entry(index);
        if (!text.empty() && foldCase(static_cast<unsigned char>(text.front())) == wanted) {
            focusOn(index);
            return true;
        }
    }
    return false;
}

void ListModel::scrollBy(int rows) { top_ = std::clamp(top_ + rows, 0, maxTop()); }

void ListModel::setSelected(int index, bool on) {
    if (!selectable(index)) return;
    char& mark = selected_[static_cast<std::size_t>(index)];
    if ((mark != 0) == on) return;
    mark = on ? 1 : 0;
    selectedCount_ += on ? 1 : -1;
}

void ListModel::clearSelection() {
    std::fill(selected_.begin(), selected_.end(), 0);
    selectedCount_ = 0;
}

void ListModel::toggleFocused() {
    if (focus_ < 0) return;
    setSelected(focus_, !selected(focus_));
    anchor_ = focus_;
}

void ListModel::click(int index, bool ctrl, bool shift) {
    if (index < 0 || index >= count()) return;
    if (shift) {
        const int from = anchor_ >= 0 ? anchor_ : std::max(focus_, 0);
        if (!ctrl) clearSelection();
        for (int i = std::min(from, index); i <= std::max(from, index); ++i) setSelected(i, true);
    } else if (ctrl) {
        setSelected(index, !selected(index));
        anchor_ = index;
    } else {
        clearSelection();
        setSelected(index, true);
        anchor_ = index;
    }
    focusOn(index);
}

bool ListModel::chooseOnly(int index) {
    if (!selectable(index)) return false;
    clearSelection();
    setSelected(index, true);
    anchor_ = index;
    focusOn(index);
    return true;
}

std::string ListModel::result() const {
    std::string text;
    bool first = true;
    for (int i = 0; i < count(); ++i) {
        if (!selected(i)) continue;
        if (!first) text += '\0';
        text += entry(i);
        first = false;
    }
    return text;
}

}  // namespace corrivex::ctpro
