#include "selection/chosen_names.h"

#include <algorithm>
#include <string_view>

namespace corrivex::selection {

namespace {

constexpr char kSeparator = '\0';

}  // namespace

Text fieldOf(const Text& text, int k) {
    if (k < 1) return Text();
    std::size_t start = 0;
    for (int field = 1; field < k; ++field) {
        const std::size_t separator = text.find(kSeparator, start);
        if (separator == Text::npos) return Text();
        start = separator + 1;
    }
    const std::size_t end = text.find(kSeparator, start);
    return text.substr(start, end == Text::npos ? Text::npos : end - start);
}

void splitSelection(const Text& Selection, std::int16_t BaseNameCount, NameList& ChosenNames,
                    std::int16_t& ChosenCount) {
    const int fields = std::clamp<int>(BaseNameCount, 0, kNameSlots);
    const std::string_view rest(Selection);
    int chosen = 0;
    std::size_t start = 0;
    for (int field = 1; field <= fields && start <= rest.size(); ++field) {
        std::size_t end = rest.find(kSeparator, start);
        if (end == std::string_view::npos) end = rest.size();
        Text name(trimmed(rest.substr(start, end - start)));
        if (!name.empty()) ChosenNames[chosen++] = std::move(name);
        start = end + 1;
    }
    for (int i = chosen; i < kNameSlots; ++i) ChosenNames[i].clear();
    ChosenCount = static_cast<std::int16_t>(chosen);
}

}  // namespace corrivex::selection
