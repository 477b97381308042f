// The platform side of the directory listing and the current directory.
// directory.cpp checks and cuts the texts; these calls only ask the platform.
// Each platform file keeps the one listing of the process to itself.
#pragma once

#include <cstdint>

#include "primitives/text.h"

namespace corrivex::native {

// Abandons the listing in progress and starts one for `mask`; gives the first
// entry that passes the attribute filter, or the empty text.
Text listFirst(const Text& mask, std::uint32_t attributes);
// The next entry of the listing in progress that passes its filter, or the
// empty text (the listing is then closed).
Text listNext();
// Closes the listing in progress, if any.
void listClose();
// With `keep`, the next listing reads its directory once, and later
// listings of that directory take its entries as they were then; without,
// each listing reads its directory again. Windows searches by mask itself
// and reads each time.
void keepEntries(bool keep);

// The current directory, or the empty text when the platform cannot give it
// in at most 259 characters.
Text currentDirectory();
// Asks the platform to make `path` current; false when it refuses.
bool setCurrentDirectory(const Text& path);
// Asks the platform to make current the directory that `path` names as
// UTF-8; false when it refuses, when `path` is not UTF-8 or when it names
// more than limits::kDirectoryPath characters. POSIX paths are bytes, which
// setCurrentDirectory has given already: false there.
bool setCurrentDirectoryUtf8(const Text& path);

}  // namespace corrivex::native
