// The directory listing, the existence test and the current directory, as the
// front end sees them: texts are checked here, native_directory.h
// asks the platform.
#include "primitives/directory.h"

#include "primitives/length_limits.h"
#include "primitives/name_checks.h"
#include "primitives/native_directory.h"
#include "primitives/out_of_memory.h"

namespace corrivex {

// A name that cannot be had for want of memory ends the listing.
Text dirFirst(const Text& mask, std::uint32_t attributes) {
    const Text found = memory::textOrEmpty([&] {
        if (mask.empty()) return native::listNext();
        if (!limits::fits(mask, limits::kMask) || names::holdsNul(mask)) return Text();
        return native::listFirst(mask, attributes);
    });
    if (found.empty()) native::listClose();
    return found;
}

Text dirNext() {
    const Text found = memory::textOrEmpty([] { return native::listNext(); });
    if (found.empty()) native::listClose();
    return found;
}

bool fileExists(const Text& name) { return !dirFirst(name, attr::kNone).empty(); }

DirectoryReadOnce::DirectoryReadOnce() { native::keepEntries(true); }

DirectoryReadOnce::~DirectoryReadOnce() { native::keepEntries(false); }

Text currentDir() {
    return memory::textOrEmpty([] { return native::currentDirectory(); });
}

Text collapseDoubledSeparators(const Text& path, const Text& separator, int passes) {
    return memory::textOrEmpty([&] {
        const Text doubled = separator + separator;
        const bool networkPath = !separator.empty() && path.size() > doubled.size() && path.starts_with(doubled) &&
                                 path.compare(doubled.size(), separator.size(), separator) != 0;
        const std::size_t kept = networkPath ? doubled.size() : 0;
        Text rest = path.substr(kept);
        for (int pass = 0; pass < passes; ++pass) rest = replaceAll(rest, doubled, separator);
        // replaceAll gives the empty text only when memory ran out: the
        // kept prefix alone would name another place.
        if (rest.empty()) return Text();
        return path.substr(0, kept) + rest;
    });
}

void changeDir(const Text& path) {
    memory::orNothing([&] {
        if (path.empty() || !limits::fits(path, limits::kDirectoryPath) || names::readsAsMask(path) ||
            names::holdsNul(path))
            return;
        native::setCurrentDirectory(path);
    });
}

}  // namespace corrivex
