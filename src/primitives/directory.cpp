// The directory listing, the existence test and the current directory, as the
// front end sees them: texts are checked here, native_directory.h
// asks the platform.
#include "primitives/directory.h"

#include <algorithm>

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

namespace {

// Refused in every encoding: the empty path, a mask, a NUL byte. UTF-8 holds
// '*', '?' and NUL only as themselves.
bool refusedAsPath(const Text& path) { return path.empty() || names::readsAsMask(path) || names::holdsNul(path); }

bool isAscii(const Text& text) {
    return std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

void changeDir(const Text& path) {
    memory::orNothing([&] {
        if (refusedAsPath(path) || !limits::fits(path, limits::kDirectoryPath)) return;
        native::setCurrentDirectory(path);
    });
}

// The path as it stands first, so that every path that is reached today is
// reached as before; ASCII reads the same in both.
void changeDirAnsiOrUtf8(const Text& path) {
    memory::orNothing([&] {
        if (refusedAsPath(path)) return;
        if (limits::fits(path, limits::kDirectoryPath) && native::setCurrentDirectory(path)) return;
        if (!isAscii(path)) native::setCurrentDirectoryUtf8(path);
    });
}

}  // namespace corrivex
