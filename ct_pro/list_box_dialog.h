// The list box as a dialog (dialog_loop.h): its layout, its list model,
// its key table and what each key, click and drag does. runListBox
// (list_box.h) shows it; the tests and the fuzzer drive it directly.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ct_pro/canvas.h"
#include "ct_pro/dialog_input.h"
#include "ct_pro/list_box.h"
#include "ct_pro/list_model.h"
#include "ct_pro/text_fit.h"
#include "ct_pro/type_ahead.h"
#include "platform/console_host.h"

namespace corrivex::ctpro {

class ListBox {
public:
    using Answer = std::optional<std::string>;  // the result, when the event closes the box
    // The parts that take the focus, in the order of Tab.
    enum class Area { List, Ok, Cancel };

    // A key of the list box: a virtual key, read whatever other modifiers are
    // held (Ctrl+Down moves as Down does), or a character typed; a key with
    // neither stands for every character typed that no other row names.
    struct Key {
        std::uint16_t vk = 0;
        char32_t ch = 0;
        std::string_view name;  // as the documents write it, without the modifiers; a character names itself
    };

    // What a key does: an action of the box, or a change of the list model
    // alone, which also brings the focus back to the list.
    struct KeyAction {
        constexpr KeyAction(Answer (ListBox::*action)(const DialogEvent&)) : box(action) {}
        constexpr KeyAction(void (ListModel::*change)()) : list(change) {}
        Answer (ListBox::*box)(const DialogEvent&) = nullptr;
        void (ListModel::*list)() = nullptr;
    };

    // A row of the key table: the key, the modifiers it needs, what it does,
    // its line of the F1 help and its line of the documents' key tables
    // (none where the line of a row above covers it), and whether it also
    // works while a filter is typed.
    struct KeyRow {
        Key key;
        std::uint32_t modifiers;
        KeyAction action;
        ListBoxHelpLine help;
        ListBoxHelpLine documented;
        bool whileTyping;
    };

    explicit ListBox(ListBoxRequest request)
        : caption_(std::move(request.caption)),
          hint_(std::move(request.hint)),
          model_(std::move(request.entries), layout_.listRows) {}

    void place(platform::CellRect window) {
        layout_ = listBoxLayout(window);
        model_.setPageRows(layout_.listRows);
    }
    bool fits() const { return layout_.fits; }
    platform::CellRect rect() const { return layout_.box; }
    Canvas draw() const;
    // Where the focus is: on the mark of the focused entry, where the next
    // letter of the filter goes, or on the focused button.
    platform::CellPos cursor() const;
    // The result when the event closes the box.
    Answer handle(const DialogEvent& event);

    const ListModel& model() const { return model_; }
    const ListBoxLayout& layout() const { return layout_; }

    // The keys, in the order of their lines in the F1 help and the documents.
    static const KeyRow kKeys[];

private:
    // The row of the key table that reads the key; none for a key that
    // does nothing.
    static const KeyRow* rowOf(const DialogEvent& event);
    Answer act(const KeyRow& row, const DialogEvent& event);
    Answer handleKey(const DialogEvent& event) {
        const KeyRow* row = rowOf(event);
        return row != nullptr ? act(*row, event) : std::nullopt;
    }
    void handleFilterKey(const DialogEvent& event);

    // What the keys do.
    Answer clearFilterOrCancel(const DialogEvent&);
    Answer pressFocused(const DialogEvent&) { return press(area_); }
    Answer toggleOrPress(const DialogEvent&);
    Answer tabAround(const DialogEvent& event);
    Answer otherButton(const DialogEvent&);
    Answer showHelp(const DialogEvent&) {
        helpShown_ = true;
        return std::nullopt;
    }
    Answer startFilter(const DialogEvent&);
    Answer typeAhead(const DialogEvent& event);
    // Up and Down, PgUp and PgDn: for a key held down, once per repeat.
    template <int step>
    Answer move(const DialogEvent& event) {
        area_ = Area::List;
        model_.moveBy(step * event.repeat);
        return std::nullopt;
    }
    template <int step>
    Answer page(const DialogEvent& event) {
        area_ = Area::List;
        for (int i = 0; i < event.repeat; ++i) step < 0 ? model_.pageUp() : model_.pageDown();
        return std::nullopt;
    }

    Answer handleClick(const DialogEvent& event, bool doubleClick);
    Answer press(Area button) const { return button == Area::Cancel ? std::string() : model_.result(); }
    int entryAt(platform::CellPos pos) const;
    int dragTarget(platform::CellPos pos) const;
    std::string filterLine() const { return "Filter: " + cutLeft(model_.filter(), layout_.box.width() - 14); }
    void drawEntry(Canvas& canvas, int row) const;
    // The cells of an entry's text, cut to the room of its row: made when
    // the entry is first drawn, again only when the box changes its width.
    std::span<const platform::Cell> entryCells(int pos, int room) const;
    void drawHelp(Canvas& canvas) const;

    ListBoxLayout layout_;
    std::string caption_;
    std::string hint_;
    ListModel model_;
    TypeAhead typeAhead_;
    Area area_ = Area::List;
    bool typing_ = false;  // keys go to the filter line
    bool helpShown_ = false;
    bool pressed_ = false;  // the button went down on an entry: a drag marks
    // Where an entry's cells lie in entryCells_, the cells of every entry
    // drawn, one after the other.
    struct EntryCells {
        std::uint32_t start = 0;
        std::uint32_t count = 0;
        bool made = false;
    };
    mutable std::vector<platform::Cell> entryCells_;
    mutable std::vector<EntryCells> entryCellsAt_;  // by entry
    mutable int entryRoom_ = -1;                    // the room they were cut to
};

}  // namespace corrivex::ctpro
