#include "ct_pro/list_box.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "ct_pro/canvas.h"
#include "ct_pro/dialog_input.h"
#include "ct_pro/dialog_loop.h"
#include "ct_pro/dialog_style.h"
#include "ct_pro/list_box_dialog.h"
#include "ct_pro/list_model.h"
#include "ct_pro/saved_region.h"
#include "ct_pro/text_fit.h"
#include "ct_pro/type_ahead.h"
#include "platform/console_text.h"

namespace corrivex::ctpro {

using platform::Cell;
using platform::CellPos;
using platform::CellRect;
namespace vk = platform::vk;
using platform::modifier::kCtrl;
using platform::modifier::kShift;

namespace {

// Rows of the box: top border with the caption, hint, divider, entries,
// divider, buttons, bottom border with the indicator.
constexpr int kRowsAroundList = 6;
constexpr int kPreferredTop = 7;  // below the rows that the caller may have written on
constexpr int kButtonLabelWidth = 6;
constexpr int kButtonGap = 4;
// Columns of an entry row, from the box's left border: the focus pointer,
// the mark and the text.
constexpr int kPointerColumn = 1;
constexpr int kMarkColumn = 3;
constexpr int kTextColumn = 7;
constexpr int kWheelRows = 3;

// The mouse's lines of the F1 help, after those of the key table.
// clang-format off
constexpr ListBoxHelpLine kMouseHelp[] = {
    {"click", "choose only it"},
    {"Ctrl+click", "mark or unmark"},
    {"", "or Space, or drag"},
    {"Shift+click", "mark a range"},
    {"drag", "mark a range"},
    {"double-click", "choose it and OK"},
    {"wheel", "scroll"},
};
// clang-format on

constexpr int kAreas = 3;

// A character typed: without Ctrl and Alt, or with both (AltGr).
bool typedCharacter(const DialogEvent& event) {
    return event.ctrl() == event.alt() && event.ch > ' ' && event.ch != 0x7F;
}

// The modifiers a key is read with: Ctrl and Alt together are AltGr, which
// types characters, and count as neither.
std::uint32_t heldModifiers(const DialogEvent& event) {
    std::uint32_t held = event.shift() ? kShift : 0;
    if (event.ctrl() != event.alt()) held |= event.ctrl() ? kCtrl : platform::modifier::kAlt;
    return held;
}

constexpr ListBox::Key vkey(std::uint16_t vk, std::string_view name) { return {vk, 0, name}; }
constexpr ListBox::Key typed(char ch) { return {0, static_cast<char32_t>(ch), {}}; }
constexpr ListBox::Key kOtherCharacters{0, 0, "letters and digits"};

// A character that goes to the type-ahead: a letter or digit, or any
// character beyond ASCII.
bool typeAheadChar(const DialogEvent& event) {
    const char32_t c = event.ch;
    return event.kind == DialogEvent::Kind::Key && typedCharacter(event) &&
           ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 0x80);
}

}  // namespace

// The key table, in the order of the F1 help and of the documents. A key
// is read by the row that names it with the most of the modifiers held
// (Shift+Tab before Tab), a character that no row names by the row of
// kOtherCharacters. Ctrl+C is Esc before it reaches the box (DialogInput).
// clang-format off
constexpr ListBox::KeyRow ListBox::kKeys[] = {
    // key, modifiers, action, F1 help line, line of the documents, works while a filter is typed
    {vkey(vk::kUp, "Up"),        0,      &ListBox::move<-1>,            {"Up Down", "move"},
     {"Up, Down, PgUp, PgDn, Home, End", "move the focus; > marks the focused entry"},                      true},
    {vkey(vk::kDown, "Down"),    0,      &ListBox::move<1>,             {}, {},                              true},
    {vkey(vk::kPrior, "PgUp"),   0,      &ListBox::page<-1>,            {"PgUp PgDn", "move by a page"}, {}, true},
    {vkey(vk::kNext, "PgDn"),    0,      &ListBox::page<1>,             {}, {},                              true},
    {vkey(vk::kHome, "Home"),    0,      &ListModel::home,              {"Home End", "first, last"}, {},     true},
    {vkey(vk::kEnd, "End"),      0,      &ListModel::end,               {}, {},                              true},
    {kOtherCharacters,           0,      &ListBox::typeAhead,           {"letters", "go to the name"},
     {"letters and digits", "go to the entry that begins with them. Letters typed within about a second "
                            "make one beginning: b r goes to BRAVO. The same letter again goes to the next "
                            "entry that begins with it"},                                                   false},
    {vkey(vk::kSpace, "Space"),  0,      &ListBox::toggleOrPress,       {"Space", "mark or unmark"},
     {"Space", "mark or unmark the focused entry; [x] marks a chosen one. On a button: press it"},          false},
    {typed('+'),                 0,      &ListModel::markAll,           {"+ or Ctrl+A", "mark all shown"},
     {"+, Ctrl+A", "mark every entry shown"},                                                               false},
    {vkey('A', "A"),             kCtrl,  &ListModel::markAll,           {}, {},                              false},
    {typed('-'),                 0,      &ListModel::markNone,          {"-", "unmark all shown"},
     {"-", "unmark every entry shown"},                                                                     false},
    {typed('*'),                 0,      &ListModel::invertMarks,       {"*", "invert the marks"},
     {"*", "invert the marks of the entries shown"},                                                        false},
    {typed('/'),                 0,      &ListBox::startFilter,         {"/ text Enter", "filter the names"},
     {"/", "filter: type a part of the names, in either case; Backspace takes a character back. "
           "Enter keeps the filter, Esc clears it. Marks stay on the entries it hides"},                    false},
    {vkey(vk::kTab, "Tab"),      0,      &ListBox::tabAround,           {"Tab", "list, OK, Cancel"},
     {"Tab, Shift+Tab", "move between the list and the buttons OK and Cancel"},                             false},
    {vkey(vk::kTab, "Tab"),      kShift, &ListBox::tabAround,           {}, {},                              false},
    {vkey(vk::kLeft, "Left"),    0,      &ListBox::otherButton,         {},
     {"Left, Right", "on OK or Cancel: move to the other button"},                                          false},
    {vkey(vk::kRight, "Right"),  0,      &ListBox::otherButton,         {}, {},                              false},
    {vkey(vk::kReturn, "Enter"), 0,      &ListBox::pressFocused,        {"Enter", "OK"},
     {"Enter", "OK: run the engine for the marked data sets. On a button: press it"},                       false},
    {vkey(vk::kEscape, "Esc"),   0,      &ListBox::clearFilterOrCancel, {"Esc Ctrl+C", "filter off/Cancel"},
     {"Esc, Ctrl+C", "with a filter in place, typed or kept with Enter: clear it. Else Cancel: run nothing"}, false},
    {vkey(vk::kF1, "F1"),        0,      &ListBox::showHelp,            {},
     {"F1", "the keys and mouse actions, in a box over the list. Any key or click closes it"},              true},
};
// clang-format on

namespace {

// The lines of the F1 help: the keys' lines, then the mouse's.
constexpr std::size_t kHelpLines =
    std::ranges::count_if(ListBox::kKeys, [](const ListBox::KeyRow& row) { return !row.help.keys.empty(); }) +
    std::size(kMouseHelp);
constexpr std::array<ListBoxHelpLine, kHelpLines> kHelp = [] {
    std::array<ListBoxHelpLine, kHelpLines> lines{};
    auto out = lines.begin();
    for (const ListBox::KeyRow& row : ListBox::kKeys)
        if (!row.help.keys.empty()) *out++ = row.help;
    std::ranges::copy(kMouseHelp, out);
    return lines;
}();
constexpr int kHelpColumnGap = 2;

}  // namespace

const ListBox::KeyRow* ListBox::rowOf(const DialogEvent& event) {
    const std::uint32_t held = heldModifiers(event);
    const bool character = typedCharacter(event);
    const KeyRow* other = nullptr;
    const KeyRow* best = nullptr;
    for (const KeyRow& row : kKeys) {
        if (row.key.vk != 0 && row.key.vk == event.key && (row.modifiers & ~held) == 0 &&
            (best == nullptr || std::popcount(row.modifiers) > std::popcount(best->modifiers)))
            best = &row;
        if (row.key.vk == 0 && character) {
            if (row.key.ch == event.ch) return &row;
            if (row.key.ch == 0) other = &row;
        }
    }
    return best != nullptr ? best : other;
}

ListBox::Answer ListBox::act(const KeyRow& row, const DialogEvent& event) {
    if (row.action.box != nullptr) return (this->*row.action.box)(event);
    area_ = Area::List;
    (model_.*row.action.list)();
    return std::nullopt;
}

int ListBox::entryAt(CellPos pos) const {
    const CellRect& box = layout_.box;
    const CellRect list{box.left + 1, layout_.listTop, box.right - 1, layout_.listTop + layout_.listRows - 1};
    if (!list.contains(pos)) return -1;
    const int index = model_.top() + (pos.y - layout_.listTop);
    return index < model_.count() ? index : -1;
}

// The entry a drag reaches: the one on the pointer's row, or when the
// pointer is above or below the list the one beyond the view, which
// scrolls it; -1 when no entry is shown.
int ListBox::dragTarget(CellPos pos) const {
    if (model_.count() == 0) return -1;
    const int row = std::clamp(pos.y - layout_.listTop, -1, layout_.listRows);
    return std::clamp(model_.top() + row, 0, model_.count() - 1);
}

CellPos ListBox::cursor() const {
    const CellRect& box = layout_.box;
    if (typing_) return {box.left + 2 + columnsOf(filterLine()), box.top + 1};
    if (area_ != Area::List) {
        const CellRect& button = area_ == Area::Ok ? layout_.okButton : layout_.cancelButton;
        return {button.left + buttonLabelOffset(area_ == Area::Ok ? "OK" : "Cancel", kButtonLabelWidth), button.top};
    }
    if (model_.focus() < 0) return {box.left + kTextColumn, layout_.listTop};
    const int row = std::clamp(model_.focus() - model_.top(), 0, layout_.listRows - 1);
    return {box.left + kMarkColumn + 1, layout_.listTop + row};
}

void ListBox::drawEntry(Canvas& canvas, int row) const {
    const int width = canvas.width();
    const int y = layout_.listTop - layout_.box.top + row;
    const int index = model_.top() + row;
    if (index >= model_.count()) {
        if (index == 0) canvas.text(kTextColumn, y, model_.total() == 0 ? "(no entries)" : "(no match)", kHintAttr);
        return;
    }
    const bool focused = area_ == Area::List && index == model_.focus();
    const bool chosen = model_.selected(index);
    const std::span<const Cell> text = entryCells(index, width - kTextColumn - 2);
    // The colour marks the entry's own cells, pointer to text, not the whole
    // row: a move of the focus then changes only those.
    const std::uint16_t attr = focused ? kFocusAttr : chosen ? kSelectedAttr : kBoxAttr;
    canvas.setAttribute({kPointerColumn, y, kTextColumn + static_cast<int>(text.size()), y}, attr);
    if (focused) canvas.text(kPointerColumn, y, ">", attr);
    if (model_.selectable(index)) canvas.text(kMarkColumn, y, chosen ? "[x]" : "[ ]", attr);
    canvas.cells(kTextColumn, y, text, attr);
}

std::span<const Cell> ListBox::entryCells(int pos, int room) const {
    if (room != entryRoom_) {
        entryCells_.clear();
        entryCellsAt_.clear();
        entryRoom_ = room;
        entryCells_.reserve(static_cast<std::size_t>(layout_.listRows) * static_cast<std::size_t>(std::max(room, 0)));
    }
    // The table grows as far as the entries drawn: the first frame pays for
    // the shown rows, not for all of them.
    const auto index = static_cast<std::size_t>(model_.entryIndex(pos));
    if (index >= entryCellsAt_.size()) entryCellsAt_.resize(index + 1);
    EntryCells& at = entryCellsAt_[index];
    if (!at.made) {
        at = {static_cast<std::uint32_t>(entryCells_.size()), 0, true};
        appendTextCells(entryCells_, cutRight(model_.entry(pos), room), 0);
        at.count = static_cast<std::uint32_t>(entryCells_.size() - at.start);
    }
    return std::span<const Cell>(entryCells_).subspan(at.start, at.count);
}

Canvas ListBox::draw() const {
    const CellRect& box = layout_.box;
    const int width = box.width();
    const int height = box.height();
    Canvas canvas(width, height, Cell{' ', kBoxAttr});
    const CellRect all = canvas.area();
    canvas.frame(all, kBoxAttr);

    if (!caption_.empty()) canvas.text(2, 0, " " + cutLeft(caption_, width - 6) + " ", kBoxAttr);
    if (typing_) {
        const std::string line = filterLine();
        canvas.text(2, 1, line, kHintAttr);
        canvas.text(2 + columnsOf(line), 1, " ", kFocusAttr);  // where the next letter goes
    } else {
        canvas.text(2, 1, cutRight(hint_, width - 4), kHintAttr);
    }
    canvas.divider(all, 2, kBoxAttr);
    for (int row = 0; row < layout_.listRows; ++row) drawEntry(canvas, row);
    const int buttonsY = layout_.okButton.top - box.top;
    canvas.divider(all, buttonsY - 1, kBoxAttr);
    drawButton(canvas, layout_.okButton.left - box.left, buttonsY, "OK", kButtonLabelWidth, area_ == Area::Ok);
    drawButton(canvas, layout_.cancelButton.left - box.left, buttonsY, "Cancel", kButtonLabelWidth,
               area_ == Area::Cancel);

    std::string indicator = " " + std::to_string(model_.selectedCount()) + " chosen - " +
                            std::to_string(model_.focus() + 1) + "/" + std::to_string(model_.count());
    if (!model_.filter().empty()) indicator += " - /" + cutLeft(model_.filter(), width / 2);
    indicator += ' ';
    canvas.text(std::max(width - 3 - columnsOf(indicator), 1), height - 1, indicator, kBoxAttr, width - 2);
    if (helpShown_) drawHelp(canvas);
    return canvas;
}

// Over the box, inside its frame: in two columns where both fit whole, else
// in one. Where the lines find no room, the last row shows the cut mark
// instead; a text too long for its place ends in it.
void ListBox::drawHelp(Canvas& canvas) const {
    constexpr int kLines = static_cast<int>(kHelp.size());
    const auto widest = [](int first, int last, std::string_view ListBoxHelpLine::*part) {
        int width = 0;
        for (int i = first; i < last; ++i) width = std::max(width, columnsOf(kHelp[i].*part));
        return width;
    };
    const auto keysWidth = [&](int first, int last) { return widest(first, last, &ListBoxHelpLine::keys) + 2; };
    const auto lineWidth = [&](int first, int last) {
        return keysWidth(first, last) + widest(first, last, &ListBoxHelpLine::does);
    };
    const int textWidth = canvas.width() - 8;  // inside the help's frame, a blank on each side
    const int half = (kLines + 1) / 2;
    const bool twoColumns = lineWidth(0, half) + kHelpColumnGap + lineWidth(half, kLines) <= textWidth;
    const int perColumn = twoColumns ? half : kLines;
    const int rows = std::min(perColumn, canvas.height() - 4);

    const CellRect rect{2, 1, canvas.width() - 3, 2 + rows};
    for (int y = rect.top; y <= rect.bottom; ++y) canvas.text(1, y, std::string(canvas.width() - 2, ' '), kBoxAttr);
    canvas.frame(rect, kBoxAttr, Canvas::Lines::Double);
    canvas.text(rect.left + 2, rect.top, cutRight(" Keys and mouse ", rect.width() - 4), kBoxAttr);
    canvas.text(rect.left + 2, rect.bottom, cutRight(" Any key closes this help ", rect.width() - 4), kBoxAttr);
    int x = rect.left + 2;
    for (int first = 0; first < kLines; first += perColumn) {
        const int last = std::min(first + perColumn, kLines);
        const int width = twoColumns ? lineWidth(first, last) : textWidth;
        const int keys = std::min(keysWidth(first, last), width);
        for (int row = 0; row < rows; ++row) {
            const int y = rect.top + 1 + row;
            if (row == rows - 1 && last - first > rows) {
                canvas.text(x, y, kCutMark, kBoxAttr);
                break;
            }
            if (first + row >= last) break;
            const ListBoxHelpLine& line = kHelp[first + row];
            canvas.text(x, y, cutRight(line.keys, keys - 1), kHintAttr);
            canvas.text(x + keys, y, cutRight(line.does, width - keys), kBoxAttr);
        }
        x += width + kHelpColumnGap;
    }
}

ListBox::Answer ListBox::handle(const DialogEvent& event) {
    // Anything but a character of the type-ahead makes the next one start a
    // prefix afresh; a key ends a drag.
    if (typing_ || helpShown_ || !typeAheadChar(event)) typeAhead_.reset();
    if (event.kind == DialogEvent::Kind::Key) pressed_ = false;
    if (helpShown_ && event.kind != DialogEvent::Kind::Closed) {
        // Any key or click closes the help and does nothing else.
        if (event.kind == DialogEvent::Kind::Key || event.kind == DialogEvent::Kind::Click ||
            event.kind == DialogEvent::Kind::DoubleClick) {
            helpShown_ = false;
            pressed_ = false;
        }
        return std::nullopt;
    }
    switch (event.kind) {
        case DialogEvent::Kind::Closed: return std::string();
        case DialogEvent::Kind::Resized: return std::nullopt;
        case DialogEvent::Kind::Key:
            if (!typing_) return handleKey(event);
            handleFilterKey(event);
            return std::nullopt;
        case DialogEvent::Kind::Click: return handleClick(event, false);
        case DialogEvent::Kind::Drag:
            if (pressed_) model_.dragTo(dragTarget(event.pos));
            return std::nullopt;
        case DialogEvent::Kind::DoubleClick: return handleClick(event, true);
        case DialogEvent::Kind::Wheel: model_.scrollBy(-event.wheel * kWheelRows); return std::nullopt;
    }
    return std::nullopt;
}

ListBox::Answer ListBox::clearFilterOrCancel(const DialogEvent&) {
    // A kept filter goes first, and the box stays open.
    if (model_.filter().empty()) return std::string();
    model_.setFilter({});
    return std::nullopt;
}

ListBox::Answer ListBox::toggleOrPress(const DialogEvent&) {
    if (area_ != Area::List) return press(area_);
    model_.toggleFocused();
    return std::nullopt;
}

ListBox::Answer ListBox::tabAround(const DialogEvent& event) {
    area_ = static_cast<Area>(focusAfterTab(static_cast<int>(area_), kAreas, event));
    return std::nullopt;
}

// Left and Right move between the buttons while one has the focus.
ListBox::Answer ListBox::otherButton(const DialogEvent&) {
    if (area_ != Area::List) area_ = area_ == Area::Ok ? Area::Cancel : Area::Ok;
    return std::nullopt;
}

ListBox::Answer ListBox::startFilter(const DialogEvent&) {
    area_ = Area::List;
    typing_ = true;
    return std::nullopt;
}

// Letters and digits (also typed with AltGr) go to the entry they begin;
// any character typed brings the focus back to the list.
ListBox::Answer ListBox::typeAhead(const DialogEvent& event) {
    area_ = Area::List;
    if (typeAheadChar(event)) {
        const TypeAhead::Search search = typeAhead_.type(event.ch, event.timeMs);
        model_.jumpTo(search.prefix, search.fromFocused);
    }
    return std::nullopt;
}

// The filter line has the keys: characters add to the filter, Backspace
// takes the last one off, Enter keeps the filter, Esc clears it. The keys
// of the table that work while typing (those that move the focus, F1) keep
// working in the entries shown.
void ListBox::handleFilterKey(const DialogEvent& event) {
    std::string text = model_.filter();
    switch (event.key) {
        case vk::kEscape:
            text.clear();
            typing_ = false;
            break;
        case vk::kReturn: typing_ = false; return;
        case vk::kBack:
            // The last character, whatever its bytes.
            if (!text.empty()) text.erase(platform::consoleChars(text).back().offset);
            break;
        default:
            if (const KeyRow* row = rowOf(event); row != nullptr && row->whileTyping) {
                act(*row, event);
                return;
            }
            if (event.ctrl() != event.alt() || event.ch < ' ' || event.ch == 0x7F) return;
            text += platform::keyText(event.ch);
            break;
    }
    if (text != model_.filter()) model_.setFilter(std::move(text));
}

ListBox::Answer ListBox::handleClick(const DialogEvent& event, bool doubleClick) {
    if (layout_.okButton.contains(event.pos)) return press(Area::Ok);
    if (layout_.cancelButton.contains(event.pos)) return press(Area::Cancel);
    const int index = entryAt(event.pos);
    pressed_ = index >= 0 && !doubleClick;
    if (index < 0) return std::nullopt;
    area_ = Area::List;
    if (doubleClick && model_.chooseOnly(index)) return model_.result();
    model_.click(index, event.ctrl(), event.shift());
    return std::nullopt;
}

ListBoxLayout listBoxLayout(CellRect window) {
    const int width = window.width();
    const int height = window.height();
    ListBoxLayout layout;
    constexpr int kSmallest = kRowsAroundList + 1;
    const bool belowCallerRows = height - kPreferredTop - 1 >= kSmallest + 2;
    // A box over the caller's rows takes the whole width, so that no piece
    // of their text stands beside it.
    const int margin = width >= 44 && belowCallerRows ? 2 : 0;
    layout.box.left = window.left + margin;
    layout.box.right = window.right - margin;
    if (belowCallerRows) {
        layout.box.top = window.top + kPreferredTop;
        layout.box.bottom = window.bottom - 1;
    } else {
        layout.box.top = window.top;
        layout.box.bottom = window.top + std::max(height, kSmallest) - 1;
    }
    layout.listTop = layout.box.top + 3;
    layout.listRows = layout.box.height() - kRowsAroundList;

    const int buttonsY = layout.box.bottom - 1;
    const int button = buttonWidth(kButtonLabelWidth);
    const int left = layout.box.left + (layout.box.width() - (2 * button + kButtonGap)) / 2;
    layout.okButton = CellRect::sized({left, buttonsY}, button, 1);
    layout.cancelButton = CellRect::sized({left + button + kButtonGap, buttonsY}, button, 1);
    layout.fits = layout.box.bottom <= window.bottom && layout.okButton.left > layout.box.left &&
                  layout.cancelButton.right < layout.box.right;
    return layout;
}

std::string runListBox(platform::ConsoleHost& host, ListBoxRequest request) {
    ListBox box(std::move(request));
    return runDialog(host, box);
}

std::vector<std::string> listBoxKeyNames() {
    std::vector<std::string> names;
    for (const ListBox::KeyRow& row : ListBox::kKeys) {
        std::string name = (row.modifiers & kCtrl) != 0 ? "Ctrl+" : "";
        if ((row.modifiers & kShift) != 0) name += "Shift+";
        names.push_back(name + (row.key.name.empty() ? platform::keyText(row.key.ch) : std::string(row.key.name)));
    }
    return names;
}

std::span<const ListBoxHelpLine> listBoxHelp() { return kHelp; }

std::vector<ListBoxHelpLine> listBoxKeyTable() {
    std::vector<ListBoxHelpLine> lines;
    for (const ListBox::KeyRow& row : ListBox::kKeys)
        if (!row.documented.keys.empty()) lines.push_back(row.documented);
    return lines;
}

}  // namespace corrivex::ctpro
