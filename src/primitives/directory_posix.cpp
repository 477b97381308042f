// The listing and the current directory on POSIX systems.
//
// The Windows attributes take the meaning a user of this platform expects:
// hidden is a name that starts with '.', system is anything that is neither a
// regular file nor a directory (fifo, socket, device). A symbolic link counts
// as what it points to; a dangling one is no entry at all. Masks are matched
// here (wildcard.h). readdir gives the entries in an order of the file
// system's own (a hash order on ext4); the listing reads them all at its
// start and gives them in the order of their upper-cased names, byte by
// byte, as a Windows user sees them, so that lists and the cuts made on them
// are stable.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "primitives/directory.h"
#include "primitives/letter_case.h"
#include "primitives/native_directory.h"
#include "primitives/wildcard.h"

namespace corrivex {

Text pathSeparator() { return "/"; }

namespace native {
namespace {

// An entry with the key it is given in order of: its upper-cased name first,
// and names alike in upper case by their own bytes.
using KeyedName = std::pair<Text, Text>;

// The one listing of the process: the entries still to give, as a heap
// whose top is the next one. A caller that stops early (the discovery takes
// at most 1000 names) pays for ordering only the entries it takes.
std::vector<KeyedName> listing;

constexpr auto kLaterFirst = std::greater<KeyedName>();

std::uint32_t attributesOf(const char* name, mode_t type) {
    std::uint32_t found = attr::kNone;
    if (name[0] == '.') found |= attr::kHidden;
    if (S_ISDIR(type)) {
        found |= attr::kDirectory;
    } else if (!S_ISREG(type)) {
        found |= attr::kSystem;
    }
    return found;
}

// The kind of file an entry is: from the entry itself when the file system
// tells it (no stat needed), else from a stat that follows a symbolic link.
// False for a dangling link or an entry that has gone.
bool entryType(DIR* directory, const dirent& entry, mode_t& type) {
    switch (entry.d_type) {
        case DT_REG:
            type = S_IFREG;
            return true;
        case DT_DIR:
            type = S_IFDIR;
            return true;
        case DT_FIFO:
        case DT_SOCK:
        case DT_CHR:
        case DT_BLK:
            type = S_IFIFO;  // any kind that is not a regular file
            return true;
        default:
            break;  // a link, or a file system that does not say
    }
    struct stat status;
    if (fstatat(dirfd(directory), entry.d_name, &status, 0) != 0) return false;
    type = status.st_mode & S_IFMT;
    return true;
}

// The entries of `directory` that match `mask` and pass the filter, each
// with its key.
std::vector<KeyedName> matchingEntries(DIR* directory, const Text& mask, std::uint32_t attributes) {
    std::vector<KeyedName> names;
    while (const dirent* entry = readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!matchesMask(mask, name)) continue;
        mode_t type = 0;
        if (!entryType(directory, *entry, type)) continue;  // dangling link, or gone
        if ((attributesOf(entry->d_name, type) & ~attributes) != 0) continue;
        Text own(name);
        Text key = upperCasedName(own);
        names.emplace_back(std::move(key), std::move(own));
    }
    return names;
}

}  // namespace

Text listFirst(const Text& mask, std::uint32_t attributes) {
    listClose();
    // "dir/part/mask": list dir/part; a mask ending in '/' lists everything.
    Text directory = ".";
    Text entryMask = mask;
    const std::size_t slash = mask.rfind('/');
    if (slash != Text::npos) {
        directory = slash == 0 ? Text("/") : mask.substr(0, slash);
        entryMask = mask.substr(slash + 1);
    }
    if (entryMask.empty()) entryMask.push_back('*');

    // Opened close-on-exec, so that no child process inherits the listing.
    const int descriptor = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return Text();
    DIR* const opened = fdopendir(descriptor);
    if (opened == nullptr) {
        close(descriptor);
        return Text();
    }
    // Closed also when memory runs out while the entries are read.
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(opened, closedir);
    listing = matchingEntries(opened, entryMask, attributes);
    std::ranges::make_heap(listing, kLaterFirst);
    return listNext();
}

Text listNext() {
    if (listing.empty()) return Text();
    std::ranges::pop_heap(listing, kLaterFirst);
    Text name = std::move(listing.back().second);
    listing.pop_back();
    return name;
}

void listClose() {
    listing.clear();
}

Text currentDirectory() {
    char path[PATH_MAX];
    if (getcwd(path, sizeof path) == nullptr) return Text();
    return path;
}

bool setCurrentDirectory(const Text& path) { return chdir(path.c_str()) == 0; }

}  // namespace native
}  // namespace corrivex
