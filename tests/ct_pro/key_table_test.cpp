// The key tables of the documents (the README, the Windows read-me and the
// manual page) name the keys of the list box's key table: no other key, and
// none left out. Each document words what a key does in its own way.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "list_box.h"

namespace corrivex::ctpro {
namespace {

using Keys = std::set<std::string>;

// The lines of a document, from the one that is `start` up to the first
// after it that `ends` (or the end of the file).
std::vector<std::string> section(const std::string& file, std::string_view start, bool (*ends)(std::string_view)) {
    std::ifstream in(std::string(CORRIVEX_SOURCE_DIR) + "/" + file);
    std::vector<std::string> lines;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (inside && ends(line)) break;
        if (inside) lines.push_back(line);
        inside = inside || line == start;
    }
    return lines;
}

bool heading(std::string_view line) { return line.starts_with("#"); }
bool blank(std::string_view line) { return line.empty(); }
bool nextPart(std::string_view line) {
    return line.starts_with(".SS") || line.starts_with(".SH") || line.starts_with(".PP");
}

// A cell of keys as the documents write them: "Up, Down", "`+` or Ctrl+A".
void addKeys(std::string cell, Keys& keys) {
    std::erase(cell, '`');
    for (std::size_t begin = 0; begin < cell.size();) {
        const std::size_t comma = std::min(cell.find(", ", begin), cell.size());
        const std::size_t end = std::min(comma, cell.find(" or ", begin));
        if (end > begin) keys.insert(cell.substr(begin, end - begin));
        begin = end + (end == comma ? 2 : 4);
    }
}

// README.md: the first column of the table headed "| key |" under the
// list box's heading.
Keys readmeKeys() {
    Keys keys;
    bool table = false;
    for (const std::string& line : section("README.md", "### The list box", heading)) {
        if (table && !line.starts_with("|")) break;
        table = table || line.starts_with("| key |");
        if (table && !line.starts_with("| key |") && !line.starts_with("|--"))
            addKeys(line.substr(2, line.find(" |", 2) - 2), keys);
    }
    return keys;
}

// The Windows read-me: under "Keys in the list", up to a blank line, the
// column before the first two blanks of each line that starts two blanks in.
Keys windowsReadmeKeys() {
    Keys keys;
    for (const std::string& line : section("doc/README-Windows.txt", "Keys in the list", blank))
        if (line.size() > 2 && line[2] != ' ') addKeys(line.substr(2, line.find("  ", 2) - 2), keys);
    return keys;
}

// The manual page: under .SS "The list box", the tag of each .TP item, its
// font changes and quotes taken out.
Keys manualKeys() {
    Keys keys;
    bool tag = false;
    for (std::string line : section("doc/corrivex.1", ".SS \"The list box\"", nextPart)) {
        if (tag && line.starts_with(".B ")) {
            for (const std::string_view drop : {"\\fR", "\\fP", "\"", ".B "})
                for (std::size_t at; (at = line.find(drop)) != std::string::npos;) line.erase(at, drop.size());
            for (std::size_t at; (at = line.find("\\-")) != std::string::npos;) line.erase(at, 1);
            addKeys(line, keys);
        }
        tag = line.starts_with(".TP");
    }
    return keys;
}

TEST(KeyTableTest, TheDocumentsNameTheKeysOfTheTable) {
    const std::vector<std::string> names = listBoxKeyNames();
    const Keys table(names.begin(), names.end());
    ASSERT_EQ(table.size(), names.size()) << "a key named twice in the table";
    EXPECT_EQ(readmeKeys(), table) << "README.md";
    EXPECT_EQ(windowsReadmeKeys(), table) << "doc/README-Windows.txt";
    EXPECT_EQ(manualKeys(), table) << "doc/corrivex.1";
}

}  // namespace
}  // namespace corrivex::ctpro
