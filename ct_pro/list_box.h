// The multi-selection list box: a framed box below the top rows of the
// window with a caption, a hint (or the filter line while a filter is
// typed), the entries with their marks, a position indicator with the
// filter and the buttons OK and Cancel; F1 shows the keys over it. It
// returns the chosen entries' texts in list order, one NUL byte between
// two, or the empty text on Cancel and when input is closed.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console_host.h"

namespace corrivex::ctpro {

struct ListBoxRequest {
    std::string caption;               // shown in the top border, cut at the left
    std::string hint;                  // shown on the row below it
    std::vector<std::string> entries;  // every entry shown, in order
};

// Where the parts of the box lie for a window (all in buffer coordinates).
struct ListBoxLayout {
    platform::CellRect box;
    int listTop = 0;   // first row of entries
    int listRows = 1;  // rows of entries
    platform::CellRect okButton;
    platform::CellRect cancelButton;
    bool fits = true;  // the whole box, with its buttons, lies inside the window
};

// On an 80 x 30 window the box takes columns 3 to 78 and rows 8 to 29
// (1-based), leaving the rows above it readable; smaller windows give it
// more of their room, down to the smallest that holds a row of entries and
// the buttons.
ListBoxLayout listBoxLayout(platform::CellRect window);

// Shows the box until the user closes it, then puts back what it covered.
std::string runListBox(platform::ConsoleHost& host, ListBoxRequest request);

// A line of the F1 help or of a document's key table: what to press or
// do, and what that does.
struct ListBoxHelpLine {
    std::string_view keys;
    std::string_view does;
};

// The keys of the box's key table as the documents name them ("PgDn",
// "Shift+Tab", "letters and digits"); the lines of its F1 help: those of
// the keys, from the same table, then those of the mouse; and the lines of
// the documents' key tables, from the same table.
std::vector<std::string> listBoxKeyNames();
std::span<const ListBoxHelpLine> listBoxHelp();
std::vector<ListBoxHelpLine> listBoxKeyTable();

}  // namespace corrivex::ctpro
