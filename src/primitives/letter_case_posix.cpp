// UTF-8: ASCII letters, and the seven letters whose forms are 0xC3 and a
// second byte, the capital's second byte being 0x20 lower. 0xC3 is always
// the first byte of a character, so the pair is never taken from inside
// another one.
#include <string_view>

#include "primitives/letter_case.h"

namespace corrivex {

namespace {

constexpr unsigned char kLead = 0xC3;
// ä ö ü é ñ å ç
constexpr std::string_view kSmallSeconds = "\xA4\xB6\xBC\xA9\xB1\xA5\xA7";
constexpr unsigned char kCapitalOffset = 0x20;

}  // namespace

Text upperCasedName(const Text& name) {
    Text result(name);
    for (std::size_t i = 0; i < result.size(); ++i) {
        const auto byte = static_cast<unsigned char>(result[i]);
        if (byte >= 'a' && byte <= 'z') {
            result[i] = static_cast<char>(byte - 'a' + 'A');
        } else if (byte == kLead && i + 1 < result.size() &&
                   kSmallSeconds.find(result[i + 1]) != std::string_view::npos) {
            ++i;
            result[i] = static_cast<char>(static_cast<unsigned char>(result[i]) - kCapitalOffset);
        }
    }
    return result;
}

}  // namespace corrivex
