// Code page 437, byte by byte.
#include <array>

#include "primitives/letter_case.h"

namespace corrivex {

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

}  // namespace

Text upperCasedName(const Text& name) {
    Text result(name);
    for (char& c : result) c = static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
    return result;
}

}  // namespace corrivex
