// The key tables of the documents (the README, the Windows read-me and the
// manual page) name the keys of the list box's key table: no other key, and
// none left out. Each document words what a key does in its own way.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ct_pro/list_box.h"

namespace corrivex::ctpro {
namespace {

using Keys = std::set<std::string>;

// Where a document's key table lies, and the cell of a line of it that
// names keys (empty for a line that names none).
struct Document {
    const char* file;
    std::string_view before;  // the line before the table
    std::string_view after;   // how the line after it begins; empty: a blank line
    std::string (*cell)(std::string_view previous, std::string_view line);
};

std::string firstColumn(std::string_view line, std::string_view end) {
    return std::string(line.substr(2, line.find(end, 2) - 2));
}

const Document kDocuments[] = {
    {"README.md", "| key | does |", "",
     [](std::string_view, std::string_view line) {
         return line.starts_with("|--") ? std::string() : firstColumn(line, " |");
     }},
    {"doc/README-Windows.txt", "Keys in the list", "",
     [](std::string_view, std::string_view line) {
         return line.size() < 3 || line[2] == ' ' ? std::string() : firstColumn(line, "  ");
     }},
    // The tag of each .TP item, without its font changes and quotes.
    {"doc/corrivex.1", ".SS \"The list box\"", ".PP",
     [](std::string_view previous, std::string_view line) {
         if (!previous.starts_with(".TP") || !line.starts_with(".B ")) return std::string();
         std::string tag(line.substr(3));
         for (const std::string_view font : {"\\fR", "\\fP"})
             for (std::size_t at; (at = tag.find(font)) != std::string::npos;) tag.erase(at, font.size());
         std::erase(tag, '"');
         std::erase(tag, '\\');
         return tag;
     }},
};

// The keys of a cell as the documents write them: "Up, Down", "`+` or Ctrl+A".
void addKeys(std::string cell, Keys& keys) {
    std::erase(cell, '`');
    for (std::size_t begin = 0; begin < cell.size();) {
        const std::size_t comma = std::min(cell.find(", ", begin), cell.size());
        const std::size_t end = std::min(comma, cell.find(" or ", begin));
        if (end > begin) keys.insert(cell.substr(begin, end - begin));
        begin = end + (end == comma ? 2 : 4);
    }
}

Keys keysOf(const Document& document) {
    std::ifstream in(std::string(CORRIVEX_SOURCE_DIR) + "/" + document.file);
    Keys keys;
    bool inside = false;
    std::string previous;
    for (std::string line; std::getline(in, line); previous = line) {
        if (inside && (document.after.empty() ? line.empty() : line.starts_with(document.after))) break;
        if (inside) addKeys(document.cell(previous, line), keys);
        inside = inside || line == document.before;
    }
    return keys;
}

TEST(KeyTableTest, TheDocumentsNameTheKeysOfTheTable) {
    const std::vector<std::string> names = listBoxKeyNames();
    const Keys table(names.begin(), names.end());
    for (const Document& document : kDocuments) EXPECT_EQ(keysOf(document), table) << document.file;
}

}  // namespace
}  // namespace corrivex::ctpro
