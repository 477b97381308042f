// The ANSI code page, character by character: the seven letters in the
// code page's own bytes, where it has both the letter and its capital in as
// many bytes.
#include <array>
#include <vector>

#include "platform/console_text.h"
#include "primitives/characters.h"
#include "primitives/letter_case.h"

namespace corrivex {

namespace {

struct LetterPair {
    Text small;
    Text capital;
};

std::vector<LetterPair> makeLetterPairs() {
    // ä Ä, ö Ö, ü Ü, é É, ñ Ñ, å Å, ç Ç
    constexpr wchar_t kLetters[][2] = {{0x00E4, 0x00C4}, {0x00F6, 0x00D6}, {0x00FC, 0x00DC}, {0x00E9, 0x00C9},
                                       {0x00F1, 0x00D1}, {0x00E5, 0x00C5}, {0x00E7, 0x00C7}};
    std::vector<LetterPair> pairs;
    for (const auto& letter : kLetters) {
        // The letter's bytes in the ANSI code page, none where it lacks it.
        LetterPair pair{platform::keyText(letter[0]), platform::keyText(letter[1])};
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
