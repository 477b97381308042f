#include "primitives/characters.h"

namespace corrivex {

std::size_t findLastCharacterOf(std::string_view text, std::string_view singles) {
    std::size_t found = std::string_view::npos;
    for (std::size_t at = 0; at < text.size(); at += characterLength(text, at)) {
        if (singles.find(text[at]) != std::string_view::npos) found = at;
    }
    return found;
}

bool endsWithCharacterOf(std::string_view text, std::string_view singles) {
    const std::size_t found = findLastCharacterOf(text, singles);
    return found != std::string_view::npos && found + 1 == text.size();
}

}  // namespace corrivex
