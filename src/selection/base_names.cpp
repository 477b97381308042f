#include "selection/base_names.h"

#include <algorithm>
#include <memory_resource>
#include <string_view>
#include <unordered_set>

#include "selection/name_rules.h"

namespace corrivex::selection {

void fillBaseNames(std::span<const Text> fileNames, NameList& BaseNames, std::int16_t& BaseNameCount) {
    // The trimmed forms of the names stored so far, as views into their
    // slots (which stay where they are), in memory taken in a few blocks.
    std::pmr::monotonic_buffer_resource memory;
    std::pmr::unordered_set<std::string_view> seen(&memory);
    seen.reserve(std::min<std::size_t>(fileNames.size(), kNameSlots));

    int stored = 0;
    if (fileNames.empty()) BaseNames[stored++].clear();
    for (const Text& fileName : fileNames) {
        if (stored == kNameSlots) break;
        Text& slot = BaseNames[stored];
        slot = baseNameOf(fileName);
        if (!seen.insert(trimmed(slot)).second) continue;
        ++stored;
    }
    for (int i = stored; i < kNameSlots; ++i) BaseNames[i].clear();
    BaseNameCount = static_cast<std::int16_t>(stored);
}

std::size_t countDataSets(std::span<const Text> fileNames) {
    std::unordered_set<Text> seen;
    seen.reserve(fileNames.size());
    for (const Text& fileName : fileNames) seen.emplace(trimmed(baseNameOf(fileName)));
    return seen.size();
}

}  // namespace corrivex::selection
