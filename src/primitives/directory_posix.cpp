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
#include <cstdint>
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
// and names alike in upper case by their own bytes. `prefix` is the key's
// first eight bytes as a number in the same order, so that most
// comparisons need no more.
struct KeyedName {
    std::uint64_t prefix = 0;
    Text key;
    Text name;
};

std::uint64_t prefixOf(std::string_view key) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < sizeof prefix; ++i)
        prefix = (prefix << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0U);
    return prefix;
}

bool later(const KeyedName* a, const KeyedName* b) {
    if (a->prefix != b->prefix) return a->prefix > b->prefix;
    const int byKey = a->key.compare(b->key);
    return byKey != 0 ? byKey > 0 : a->name > b->name;
}

// The one listing of the process: its entries, and those still to give as
// a heap whose top is the next one. A caller that stops early (the
// discovery takes at most 1000 names) pays for ordering only the entries it
// takes.
struct Listing {
    std::vector<KeyedName> entries;
    std::vector<KeyedName*> toGive;
};
Listing listing;

// An entry of a directory as read: its name and the attributes it has.
struct Entry {
    Text name;
    std::uint32_t attributes = attr::kNone;
};

// The entries of the directory read last while they are kept
// (keepEntries), and which directory that is.
struct KeptRead {
    bool keeping = false;
    bool held = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::vector<Entry> entries;
};
KeptRead kept;

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
        case DT_REG: type = S_IFREG; return true;
        case DT_DIR: type = S_IFDIR; return true;
        case DT_FIFO:
        case DT_SOCK:
        case DT_CHR:
        case DT_BLK:
            type = S_IFIFO;  // any kind that is not a regular file
            return true;
        default: break;  // a link, or a file system that does not say
    }
    struct stat status;
    if (fstatat(dirfd(directory), entry.d_name, &status, 0) != 0) return false;
    type = status.st_mode & S_IFMT;
    return true;
}

// Room for the entries of a directory of `bytes` bytes, so that the table
// is not moved while it fills: file systems take 8 bytes or more for an
// entry (ext4 at least 12, tmpfs 20), and btrfs twice the name's length.
// What is reserved and not filled is never touched.
std::size_t expectedEntries(off_t bytes) {
    constexpr off_t kMost = 65536;
    return bytes > 0 ? static_cast<std::size_t>(std::min<off_t>(bytes / 8, kMost)) : 0;
}

// The entries of `directory` (none of "." and ".." and no dangling link)
// whose names match `mask`, with room reserved for `expected` of them.
std::vector<Entry> readEntries(DIR* directory, const Text& mask, std::size_t expected) {
    std::vector<Entry> entries;
    entries.reserve(expected);
    while (const dirent* entry = readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!matchesMask(mask, name)) continue;
        mode_t type = 0;
        if (!entryType(directory, *entry, type)) continue;  // dangling link, or gone
        entries.push_back(Entry{Text(name), attributesOf(entry->d_name, type)});
    }
    return entries;
}

// Those of `entries` that match `mask` and pass the filter, each with its
// key.
std::vector<KeyedName> matchingEntries(const std::vector<Entry>& entries, const Text& mask, std::uint32_t attributes) {
    std::vector<KeyedName> names;
    names.reserve(entries.size());
    for (const Entry& entry : entries) {
        if ((entry.attributes & ~attributes) != 0 || !matchesMask(mask, entry.name)) continue;
        Text key = upperCasedName(entry.name);
        const std::uint64_t prefix = prefixOf(key);
        names.push_back(KeyedName{prefix, std::move(key), entry.name});
    }
    return names;
}

// The entries of the directory open as `descriptor` that `mask` may match:
// those kept from an earlier read of the same directory, or read now (and
// kept, while entries are kept). Closes `descriptor`.
const std::vector<Entry>& entriesOf(int descriptor, const Text& mask, std::vector<Entry>& read) {
    struct stat status;
    const bool known = fstat(descriptor, &status) == 0;
    if (kept.keeping && kept.held && known && kept.device == status.st_dev && kept.inode == status.st_ino) {
        close(descriptor);
        return kept.entries;
    }
    DIR* const opened = fdopendir(descriptor);
    if (opened == nullptr) {
        close(descriptor);
        return read;
    }
    // Closed also when memory runs out while the entries are read.
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(opened, closedir);
    const std::size_t expected = known ? expectedEntries(status.st_size) : 0;
    if (!kept.keeping || !known) {
        read = readEntries(opened, mask, expected);
        return read;
    }
    kept.held = false;
    kept.entries = readEntries(opened, "*", expected);
    kept.device = status.st_dev;
    kept.inode = status.st_ino;
    kept.held = true;
    return kept.entries;
}

}  // namespace

void keepEntries(bool keep) {
    kept.keeping = keep;
    if (keep) return;
    kept.held = false;
    kept.entries = std::vector<Entry>();
}

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
    std::vector<Entry> read;
    listing.entries = matchingEntries(entriesOf(descriptor, entryMask, read), entryMask, attributes);
    listing.toGive.reserve(listing.entries.size());
    for (KeyedName& entry : listing.entries) listing.toGive.push_back(&entry);
    std::ranges::make_heap(listing.toGive, later);
    return listNext();
}

Text listNext() {
    if (listing.toGive.empty()) return Text();
    std::ranges::pop_heap(listing.toGive, later);
    Text name = std::move(listing.toGive.back()->name);
    listing.toGive.pop_back();
    return name;
}

void listClose() { listing = Listing(); }

Text currentDirectory() {
    char path[PATH_MAX];
    if (getcwd(path, sizeof path) == nullptr) return Text();
    return path;
}

bool setCurrentDirectory(const Text& path) { return chdir(path.c_str()) == 0; }

bool setCurrentDirectoryUtf8(const Text&) { return false; }

}  // namespace native
}  // namespace corrivex
