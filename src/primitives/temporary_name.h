// The names under which writeNewFile writes a new file before the file takes
// its own name: ".<entry>.<process id>.<n>" in the same directory, for the
// entry name `entry` and the n-th try of the process. The leading dot hides
// the file on POSIX systems. The process id says whose the file is, so that
// a later run can tell what an ended process left (removeLeftovers).
#pragma once

#include <cstdint>
#include <optional>

#include "primitives/text.h"

namespace corrivex::temporary {

using ProcessId = std::uint32_t;

// Tries of one process for one name before it gives up.
inline constexpr unsigned kTries = 100;

// Where the entry's own name starts in `name`, after its directory part.
std::size_t entryStart(const Text& name);
// What every temporary name for the entry `entry` starts with.
Text commonStart(const Text& entry);
// The temporary name for `name`, with its directory part, of the process
// `owner` at its try `attempt`.
Text nameFor(const Text& name, ProcessId owner, unsigned attempt);
// The process that made `candidate`, when it is exactly a name that nameFor
// gives for the entry `entry`; nothing for every other name.
std::optional<ProcessId> ownerOf(const Text& entry, const Text& candidate);

}  // namespace corrivex::temporary
