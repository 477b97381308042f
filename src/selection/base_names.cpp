#include "selection/base_names.h"

#include <unordered_set>

#include "selection/name_rules.h"

namespace corrivex::selection {

void fillBaseNames(std::span<const Text> fileNames, NameList& BaseNames, std::int16_t& BaseNameCount) {
    std::unordered_set<Text> seen;
    seen.reserve(fileNames.size());

    int stored = 0;
    if (fileNames.empty()) BaseNames[stored++].clear();
    for (const Text& fileName : fileNames) {
        if (stored == kNameSlots) break;
        Text base = baseNameOf(fileName);
        if (!seen.insert(trim(base)).second) continue;
        BaseNames[stored++] = std::move(base);
    }
    for (int i = stored; i < kNameSlots; ++i) BaseNames[i].clear();
    BaseNameCount = static_cast<std::int16_t>(stored);
}

}  // namespace corrivex::selection
