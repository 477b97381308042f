// The platform side of the text files: open, read, write, cut and close one
// file handle. text_file.cpp holds the file table, the read buffer and the
// line rules on top of these calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "primitives/temporary_name.h"
#include "primitives/text.h"

namespace corrivex::native {

// A Windows HANDLE or a POSIX file descriptor.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// An existing file (or readable stream) for reading only, not shared.
FileHandle openForReading(const Text& name);
// A file for writing only, not shared, created when missing and emptied when
// present.
FileHandle openForWriting(const Text& name);
// False for pipes, consoles and devices, which are read one byte at a time.
bool isDiskFile(FileHandle file);
// Up to `size` bytes; 0 at the end of the file and on any failure.
std::size_t readBytes(FileHandle file, char* buffer, std::size_t size);
// One platform write of all `size` bytes; false when not all were written.
bool writeBytes(FileHandle file, const char* bytes, std::size_t size);
// Cuts the file at its current position.
void cutAtPosition(FileHandle file);
void closeFile(FileHandle file);

// Writes `contents` to a temporary file in the directory of `name`
// (temporary_name.h), and gives it the name `name` only when the file is
// whole and no entry of that name exists. On any failure the temporary file
// is removed. The file is held while it has the temporary name: an end of
// the process takes it along where the platform allows, and a later run
// sees it held (removeIfUnheld) until it is given its name.
void placeNewFile(const Text& name, std::string_view contents);

// Whether the process `owner` has ended; false while it may still run, or
// when the platform cannot tell.
bool processHasEnded(temporary::ProcessId owner);
// Removes the plain file `name` unless a process holds it as placeNewFile
// holds its temporary file. A directory, a link or any other entry stays.
void removeIfUnheld(const Text& name);

}  // namespace corrivex::native
