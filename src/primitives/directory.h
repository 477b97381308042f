// The directory listing, the existence test and the current directory.
//
// One listing at a time for the whole process: dirFirst starts a new one and
// abandons the one in progress. Failures are silent: an empty text, the
// current directory unchanged.
#pragma once

#include <cstdint>

#include "primitives/text.h"

namespace corrivex {

// Attributes that let an entry through the listing's filter; entries with
// none of them (plain files) always pass. Values are those of Windows.
namespace attr {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kHidden = 0x02;
inline constexpr std::uint32_t kSystem = 0x04;
inline constexpr std::uint32_t kDirectory = 0x10;
}  // namespace attr

// The first entry of the current directory (or of the directory the mask
// names) that matches the mask and passes the filter; the empty text when
// there is none. An empty mask continues the listing in progress; a mask
// longer than the platform's limit finds nothing. Windows gives the entries
// in its file system's order; the POSIX listing gives them in the order of
// their upper-cased names (letter_case.h), byte by byte, as a Windows user
// sees them.
Text dirFirst(const Text& mask, std::uint32_t attributes);
// The next matching entry of the listing in progress; the empty text at its
// end and on every call after that.
Text dirNext();
// Whether dirFirst(name, attr::kNone) finds a plain file.
bool fileExists(const Text& name);

// While one lives, a directory is read once for all its listings: each
// dirFirst on the directory listed first gives the entries it had then, as
// if the listings ran at the same moment. For a step that lists one
// directory by several masks.
class DirectoryReadOnce {
public:
    DirectoryReadOnce();
    ~DirectoryReadOnce();
    DirectoryReadOnce(const DirectoryReadOnce&) = delete;
    DirectoryReadOnce& operator=(const DirectoryReadOnce&) = delete;
};

// The full path of the current directory.
Text currentDir();
// Makes `path` the current directory. Refused: a path longer than the
// platform's limit, and on Windows one holding '*' or '?'.
void changeDir(const Text& path);
// changeDir for a path read from a text file that an editor may have saved
// as UTF-8 (Notepad does by default): when the platform refuses `path` and
// it is UTF-8 beyond ASCII, the directory that it names as UTF-8 is made
// current. Its limit then counts characters. On POSIX systems a path is
// bytes: there this is changeDir.
void changeDirAnsiOrUtf8(const Text& path);

// The directory separator of the platform, as a text.
Text pathSeparator();

// `passes` left-to-right passes of replaceAll that turn each doubled
// `separator` into one. The leading pair of a network path (two separators
// and a server name) is kept as it is.
Text collapseDoubledSeparators(const Text& path, const Text& separator, int passes);

}  // namespace corrivex
