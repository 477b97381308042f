#include "primitives/text.h"

#include "primitives/characters.h"
#include "primitives/out_of_memory.h"

namespace corrivex {

Text replaceAll(const Text& text, const Text& search, const Text& replacement) {
    return memory::textOrEmpty([&] {
        if (search.empty() || search.size() > text.size()) return text;
        Text result;
        result.reserve(text.size());
        std::size_t from = 0;
        // The start of a character at or before the occurrence found.
        std::size_t character = 0;
        for (std::size_t found = text.find(search); found != Text::npos; found = text.find(search, character)) {
            while (character < found) character += characterLength(text, character);
            // Found inside a double-byte character: go on after it.
            if (character != found) continue;
            result.append(text, from, found - from);
            result.append(replacement);
            from = found + search.size();
            character = from;
        }
        result.append(text, from, Text::npos);
        return result;
    });
}

Text trimLeft(const Text& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return memory::textOrEmpty([&] { return first == Text::npos ? Text() : text.substr(first); });
}

Text trimRight(const Text& text) {
    const std::size_t last = text.find_last_not_of(' ');
    return memory::textOrEmpty([&] { return last == Text::npos ? Text() : text.substr(0, last + 1); });
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Text trim(const Text& text) {
    return memory::textOrEmpty([&] { return Text(trimmed(text)); });
}

Text substring(const Text& text, int start, int count) {
    const long long length = static_cast<long long>(text.size());
    long long first = start;
    if (first < 0) first = length + first + 1;  // -1 is the last byte
    if (first < 1 || first > length || count <= 0) return Text();
    return memory::textOrEmpty(
        [&] { return text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(count)); });
}

}  // namespace corrivex
