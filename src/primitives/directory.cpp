// The directory listing, the existence test and the current directory, as the
// front end sees them: texts are checked here, native_directory.h
// asks the platform.
#include "primitives/directory.h"

#include "primitives/length_limits.h"
#include "primitives/name_checks.h"
#include "primitives/native_directory.h"

namespace corrivex {

Text dirFirst(const Text& mask, std::uint32_t attributes) {
    if (mask.empty()) return dirNext();
    if (!limits::fits(mask, limits::kMask) || names::holdsNul(mask)) {
        native::listClose();
        return Text();
    }
    return native::listFirst(mask, attributes);
}

Text dirNext() { return native::listNext(); }

bool fileExists(const Text& name) { return !dirFirst(name, attr::kNone).empty(); }

Text currentDir() { return native::currentDirectory(); }

Text collapseDoubledSeparators(const Text& path, const Text& separator, int passes) {
    const Text doubled = separator + separator;
    const bool networkPath = !separator.empty() && path.size() > doubled.size() &&
                             path.starts_with(doubled) && path.compare(doubled.size(), separator.size(), separator) != 0;
    const std::size_t kept = networkPath ? doubled.size() : 0;
    Text rest = path.substr(kept);
    for (int pass = 0; pass < passes; ++pass) rest = replaceAll(rest, doubled, separator);
    return path.substr(0, kept) + rest;
}

void changeDir(const Text& path) {
    if (path.empty() || !limits::fits(path, limits::kDirectoryPath) || names::readsAsMask(path) ||
        names::holdsNul(path))
        return;
    native::setCurrentDirectory(path);
}

}  // namespace corrivex
