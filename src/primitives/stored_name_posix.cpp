// File names without regard to letter case on POSIX systems, as Windows
// finds them: when no plain file has the exact name, a plain file of the
// same directory whose name differs from it only in the case of ASCII
// letters is the file meant. Only the kinds of entry that the existence test
// counts are looked at: a directory or a fifo of the exact name never hides
// the file beside it.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <memory>
#include <string_view>

#include "primitives/out_of_memory.h"
#include "primitives/text_file.h"
#include "primitives/wildcard.h"

namespace corrivex {
namespace {

// A regular file, or a link to one.
bool plainFile(int directory, const char* name) {
    struct stat status;
    return fstatat(directory, name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

Text storedFileName(const Text& name) {
    return memory::textOrEmpty([&] {
        if (name.empty() || plainFile(AT_FDCWD, name.c_str())) return name;

        const std::size_t slash = name.rfind('/');
        const Text directoryPart = slash == Text::npos ? Text() : name.substr(0, slash + 1);
        const std::string_view wanted = std::string_view(name).substr(directoryPart.size());
        const std::unique_ptr<DIR, int (*)(DIR*)> opened(opendir(directoryPart.empty() ? "." : directoryPart.c_str()),
                                                         closedir);
        DIR* const directory = opened.get();
        if (directory == nullptr) return name;
        // Of several such entries, the first in byte order, whatever order
        // the directory lists them in.
        Text found;
        while (const dirent* entry = readdir(directory)) {
            const std::string_view candidate = entry->d_name;
            if (native::sameIgnoringCase(candidate, wanted) && (found.empty() || candidate < found) &&
                plainFile(dirfd(directory), entry->d_name))
                found = candidate;
        }
        return found.empty() ? name : directoryPart + found;
    });
}

}  // namespace corrivex
