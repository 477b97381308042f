#include "selection/discovery.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <ranges>
#include <string>
#include <string_view>
#include <vector>

#include "console/console_output.h"
#include "primitives/directory.h"
#include "selection/base_names.h"
#include "selection/name_rules.h"

namespace corrivex::selection {

namespace {

// How many names of each kind the listing is asked for.
constexpr std::size_t kTextFileLimit = 1000;
constexpr std::size_t kDataFileLimit = 1001;

// A warning line in light red on the unchanged background, then an empty
// line, above what follows (the list box).
void warn(const Text& warning) {
    console::setTextColors(12, -1);
    console::printLine(warning);
    console::setTextColors(0, -1);
    console::printLine("");
}

// Appends the upper-cased names of the plain files matching `mask` whose own
// name ends in `extension` (".TXT", ".DAT"), in listing order, the first
// `limit` of them to `names` and the others to `more`: a Windows search also
// matches the mask against a file's short 8.3 alias, so that "*.txt" finds
// "b.txtx" (alias "B~1.TXT").
void appendListing(const Text& mask, std::string_view extension, std::size_t limit, std::vector<Text>& names,
                   std::vector<Text>& more) {
    std::size_t taken = 0;
    for (Text name = dirFirst(mask, attr::kNone); !name.empty(); name = dirNext()) {
        Text upper = upperCased(name);
        if (!upper.ends_with(extension)) continue;
        (taken++ < limit ? names : more).push_back(std::move(upper));
    }
}

// Sorts `names` in name order, the first `textFiles` of them from one
// listing and the rest from the other. A listing that already gives its
// names in that order (the POSIX one does) is not sorted again; the two
// are merged.
void sortNames(std::vector<Text>& names, std::size_t textFiles) {
    const auto middle = names.begin() + static_cast<std::ptrdiff_t>(textFiles);
    const std::ranges::subrange textNames(names.begin(), middle);
    const std::ranges::subrange dataNames(middle, names.end());
    if (!std::ranges::is_sorted(textNames, nameBefore)) std::ranges::sort(textNames, nameBefore);
    if (!std::ranges::is_sorted(dataNames, nameBefore)) std::ranges::sort(dataNames, nameBefore);
    std::ranges::inplace_merge(names, middle, nameBefore);
}

}  // namespace

void discoverDataFiles(NameList& FileNames, std::int16_t& FileNameCount, NameList& BaseNames,
                       std::int16_t& BaseNameCount) {
    std::vector<Text> names;
    names.reserve(kTextFileLimit + kDataFileLimit);
    std::vector<Text> more;  // the names beyond those read for the list
    std::size_t textFiles = 0;
    {
        const DirectoryReadOnce once;  // the two listings from one reading of the directory
        appendListing("*.txt", ".TXT", kTextFileLimit, names, more);
        textFiles = names.size();
        appendListing("*.dat", ".DAT", kDataFileLimit, names, more);
    }

    // The two listings tell whether the directory holds a data file; the
    // warning stands before anything else this step shows (the list box).
    if (names.empty()) warn("There are no .txt or .dat files in this directory!!");

    // With a .dat file, the names are sorted; with .txt files alone, they
    // keep the order of the listing. The file table takes the first 1000 of
    // them; the base names come from all, so that a data set held as both
    // .TXT and .DAT takes one slot of the list, which holds at most 1000.
    if (names.size() > textFiles) sortNames(names, textFiles);
    fillBaseNames(names, BaseNames, BaseNameCount);

    // Data sets that the list has no room for are not left out in silence.
    // They are counted as the list counts them: a data set held as both
    // .TXT and .DAT is one. Only listings read beyond what the list takes,
    // or a list filled before the names ran out, can leave one out; the
    // names then fill the file table, and those added behind them stay out
    // of it. The line gives the number of names in the list, which is
    // below 1000 when names read for it differ only in letter case.
    if (!more.empty() || (BaseNameCount == kNameSlots && names.size() > FileNames.size())) {
        std::ranges::move(more, std::back_inserter(names));
        const std::size_t found = countDataSets(names);
        if (found > static_cast<std::size_t>(BaseNameCount))
            warn("There are " + std::to_string(found) + " data sets in this directory; the list shows " +
                 std::to_string(BaseNameCount) + " of them.");
    }

    const std::size_t kept = std::min(names.size(), FileNames.size());
    for (std::size_t i = 0; i < kept; ++i) FileNames[i] = std::move(names[i]);
    for (std::size_t i = kept; i < FileNames.size(); ++i) FileNames[i].clear();
    FileNameCount = static_cast<std::int16_t>(kept);
}

}  // namespace corrivex::selection
