#include "key_tables.h"

#include <cctype>
#include <string>
#include <vector>

#include "ct_pro/list_box.h"
#include "ct_pro/text_fit.h"

namespace corrivex::keytables {
namespace {

using ctpro::ListBoxHelpLine;

// The names of a line's keys: "Tab, Shift+Tab" holds two.
std::vector<std::string> namesOf(std::string_view keys) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at <= keys.size();) {
        const std::size_t end = std::min(keys.find(", ", at), keys.size());
        names.emplace_back(keys.substr(at, end - at));
        at = end + 2;
    }
    return names;
}

// As a sentence: a capital first letter and a full stop.
std::string sentence(std::string_view does) {
    std::string text(does);
    if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text + ".";
}

std::string markdown() {
    std::string table = "|---|---|\n";
    for (const ListBoxHelpLine& line : ctpro::listBoxKeyTable()) {
        std::string keys;
        for (const std::string& name : namesOf(line.keys)) {
            const bool sign = name.size() == 1 && std::ispunct(static_cast<unsigned char>(name[0]));
            keys += (keys.empty() ? "" : ", ") + (sign ? "`" + name + "`" : name);
        }
        table += "| " + keys + " | " + std::string(line.does) + " |\n";
    }
    return table;
}

// Keys in a column of their own, what they do wrapped beside them.
std::string plainText() {
    constexpr std::size_t kLineWidth = 72;
    std::size_t column = 0;
    for (const ListBoxHelpLine& line : ctpro::listBoxKeyTable()) column = std::max(column, line.keys.size() + 4);
    std::string table;
    for (const ListBoxHelpLine& line : ctpro::listBoxKeyTable()) {
        std::string row = "  " + std::string(line.keys);
        for (const std::string& part : ctpro::wrapText(line.does, static_cast<int>(kLineWidth - column), 1 << 16)) {
            row.resize(column, ' ');
            table += row + part + "\n";
            row.clear();
        }
    }
    return table;
}

std::string manualPage() {
    std::string table;
    bool first = true;
    for (const ListBoxHelpLine& line : ctpro::listBoxKeyTable()) {
        std::string keys;
        for (const std::string& name : namesOf(line.keys)) {
            const std::string shown = name == "-"                           ? "\\-"
                                      : name.find(' ') != std::string::npos ? '"' + name + '"'
                                                                            : name;
            keys += (keys.empty() ? "" : "\\fR, \\fP") + shown;
        }
        table += std::string(first ? ".TP 18\n" : ".TP\n") + ".B " + keys + "\n" + sentence(line.does) + "\n";
        first = false;
    }
    return table;
}

constexpr Document kDocuments[] = {
    {"README.md", "| key | does |", "", markdown},
    {"doc/README-Windows.txt", "Keys in the list", "", plainText},
    {"doc/corrivex.1", ".SS \"The list box\"", ".PP", manualPage},
};

}  // namespace

std::span<const Document> documents() { return kDocuments; }

std::string withKeyTable(std::string_view text, const Document& document) {
    const std::string before = std::string(document.before) + "\n";
    const std::size_t start = text.find(before);
    if (start == std::string_view::npos) return std::string(text);
    const std::size_t first = start + before.size();
    std::size_t end = first;
    while (end < text.size()) {
        const std::string_view rest = text.substr(end);
        if (document.after.empty() ? rest.starts_with("\n") : rest.starts_with(document.after)) break;
        end = std::min(text.find('\n', end), text.size() - 1) + 1;
    }
    return std::string(text.substr(0, first)) + document.render() + std::string(text.substr(end));
}

}  // namespace corrivex::keytables
