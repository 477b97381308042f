// The ANSI code page, character by character: the seven letters in the
// code page's own bytes, where it has both the letter and its capital in as
// many bytes.
#include <windows.h>

#include <array>
#include <vector>

#include "primitives/characters.h"
#include "primitives/letter_case.h"

namespace corrivex {

namespace {

struct LetterPair {
    Text small;
    Text capital;
};

// The bytes of `letter` in the code page; the empty text where the code page
// has no such character (no best-fit stand-in, no default character).
Text inCodePage(UINT codePage, wchar_t letter) {
    std::array<char, 8> bytes{};
    BOOL stoodIn = FALSE;
    const bool utf8 = codePage == CP_UTF8;  // takes neither the flag nor the question
    const int length = WideCharToMultiByte(codePage, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, &letter, 1, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, utf8 ? nullptr : &stoodIn);
    if (length <= 0 || stoodIn) return Text();
    return Text(bytes.data(), static_cast<std::size_t>(length));
}

std::vector<LetterPair> makeLetterPairs() {
    // ä Ä, ö Ö, ü Ü, é É, ñ Ñ, å Å, ç Ç
    constexpr wchar_t kLetters[][2] = {{0x00E4, 0x00C4}, {0x00F6, 0x00D6}, {0x00FC, 0x00DC}, {0x00E9, 0x00C9},
                                       {0x00F1, 0x00D1}, {0x00E5, 0x00C5}, {0x00E7, 0x00C7}};
    const UINT codePage = GetACP();
    std::vector<LetterPair> pairs;
    for (const auto& letter : kLetters) {
        LetterPair pair{inCodePage(codePage, letter[0]), inCodePage(codePage, letter[1])};
        const bool both = !pair.small.empty() && pair.capital.size() == pair.small.size();
        if (both) pairs.push_back(std::move(pair));
    }
    return pairs;
}

// The pair whose small letter is the character at `at`, or nullptr.
const LetterPair* letterAt(const Text& name, std::size_t at) {
    // The code page stays what it is for the life of the process.
    static const std::vector<LetterPair> pairs = makeLetterPairs();
    for (const LetterPair& pair : pairs) {
        if (name.compare(at, pair.small.size(), pair.small) == 0) return &pair;
    }
    return nullptr;
}

}  // namespace

Text upperCasedName(const Text& name) {
    Text result;
    result.reserve(name.size());
    for (std::size_t at = 0; at < name.size();) {
        const auto byte = static_cast<unsigned char>(name[at]);
        if (byte >= 'a' && byte <= 'z') {
            result += static_cast<char>(byte - 'a' + 'A');
            ++at;
        } else if (const LetterPair* letter = byte < 0x80 ? nullptr : letterAt(name, at)) {
            result += letter->capital;
            at += letter->small.size();
        } else {
            const std::size_t length = characterLength(name, at);
            result.append(name, at, length);
            at += length;
        }
    }
    return result;
}

}  // namespace corrivex
