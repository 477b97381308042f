#include "primitives/wildcard.h"

#include <algorithm>

namespace corrivex::native {
namespace {

char folded(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool matchesMask(std::string_view mask, std::string_view name) {
    // A star and a literal tail ("*.txt"), the common case: the name's end.
    if (mask.starts_with('*') && std::ranges::none_of(mask.substr(1), [](char c) { return c == '*' || c == '?'; })) {
        const std::string_view tail = mask.substr(1);
        return name.size() >= tail.size() && sameIgnoringCase(name.substr(name.size() - tail.size()), tail);
    }
    // Greedy scan; on a mismatch go back to the last '*' and let it take one
    // more character. Linear in practice, never exponential.
    std::size_t m = 0;
    std::size_t n = 0;
    std::size_t starMask = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || folded(mask[m]) == folded(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return folded(x) == folded(y); });
}

}  // namespace corrivex::native
