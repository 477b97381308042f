// The key tables of the documents (the README, the Windows read-me and the
// manual page), made from the list box's key table: each document's table
// lies between a line of its own and the end of the table, in the form of
// that document.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace corrivex::keytables {

struct Document {
    std::string_view file;    // from the top of the source tree
    std::string_view before;  // the line before the table
    std::string_view after;   // how the line after it begins; empty: a blank line
    std::string (*render)();  // the table's lines, each ended by a line feed
};

// The three documents.
std::span<const Document> documents();

// `text` with the key table of `document` made anew; the text itself when
// it holds no such table.
std::string withKeyTable(std::string_view text, const Document& document);

}  // namespace corrivex::keytables
