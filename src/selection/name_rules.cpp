#include "selection/name_rules.h"

#include <array>
#include <string_view>

namespace corrivex::selection {

namespace {

constexpr std::array<unsigned char, 256> makeUpperTable() {
    std::array<unsigned char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) table[byte] = static_cast<unsigned char>(byte);
    for (int byte = 'a'; byte <= 'z'; ++byte) table[byte] = static_cast<unsigned char>(byte - 'a' + 'A');
    // Code page 437: lower-case letter, capital letter.
    constexpr unsigned char kPairs[][2] = {
        {0x84, 0x8E},  // ä Ä
        {0x94, 0x99},  // ö Ö
        {0x81, 0x9A},  // ü Ü
        {0x82, 0x90},  // é É
        {0xA4, 0xA5},  // ñ Ñ
        {0x86, 0x8F},  // å Å
        {0x87, 0x80},  // ç Ç
    };
    for (const auto& pair : kPairs) table[pair[0]] = pair[1];
    return table;
}

constexpr std::array<unsigned char, 256> kUpper = makeUpperTable();

constexpr std::string_view kExtensions[] = {".DAT", ".TXT"};

}  // namespace

Text upperCased(const Text& name) {
    Text result(name);
    for (char& c : result) c = static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
    return result;
}

Text baseNameOf(const Text& name) {
    const std::string_view view(name);
    for (const std::string_view extension : kExtensions) {
        if (view.ends_with(extension)) return Text(view.substr(0, view.size() - extension.size()));
    }
    return name;
}

bool nameBefore(const Text& a, const Text& b) {
    // std::char_traits<char> compares as unsigned char, and a proper prefix
    // orders first: exactly the name order.
    return std::string_view(a) < std::string_view(b);
}

}  // namespace corrivex::selection
