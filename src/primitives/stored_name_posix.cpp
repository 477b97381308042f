// File names without regard to letter case on POSIX systems, as Windows
// finds them: when no entry has the exact name, an entry of the same
// directory that differs from it only in the case of ASCII letters is the
// file meant.
#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <string_view>

#include "primitives/out_of_memory.h"
#include "primitives/text_file.h"
#include "primitives/wildcard.h"

namespace corrivex {

Text storedFileName(const Text& name) {
    return memory::textOrEmpty([&] {
        struct stat status;
        if (name.empty() || lstat(name.c_str(), &status) == 0) return name;

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
            if (native::sameIgnoringCase(candidate, wanted) && (found.empty() || candidate < found)) found = candidate;
        }
        return found.empty() ? name : directoryPart + found;
    });
}

}  // namespace corrivex
