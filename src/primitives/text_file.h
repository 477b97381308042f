// Text files under file numbers.
//
// Reading goes through a 128-byte buffer; a line ends at CR (CR LF counts as
// one line end), a lone LF stays in the line, and 0x1A ends the file.
// Writing is unbuffered: each line is in the file when writeLine returns.
// Failures are silent: nothing opened, the empty text, nothing written.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "primitives/text.h"

namespace corrivex {

using FileNumber = std::int16_t;

enum class FileMode { Input, Output };

// Opens `name` under `number`. Refused: an empty name, one longer than the
// platform's limit, one holding '*' or '?' on Windows, a negative number, a
// number already open. Input: read only, no
// sharing, must exist. Output: write only, no sharing, created or emptied.
void openFile(FileNumber number, const Text& name, FileMode mode);
// The next line of the input file open under `number`.
Text readLine(FileNumber number);
// The text's bytes, then CR LF, to the output file open under `number`.
void writeLine(FileNumber number, const Text& text);
// Cuts an output file at its current position and closes it; closes an input
// file. A number that is not open is ignored.
void closeFile(FileNumber number);

// Writes a new file `name` holding `lines`, each followed by CR LF, whole or
// not at all: the file is written under a temporary name in the same
// directory and takes its name, complete, only if no entry of that name
// exists by then. An existing entry of any kind is never replaced, and a
// failure (no right to write, a full disk, an entry of that name) leaves
// nothing behind; a process ended part way leaves no file of that name, and
// at worst its temporary file, for removeLeftovers. The new file is made as
// openFile makes one. Names are refused as by openFile.
void writeNewFile(const Text& name, std::span<const std::string_view> lines);

// Removes the temporary files that writeNewFile for `name` left in the
// directory of `name` when the process writing them ended part way: files
// of exactly the names it gives them, of a process that has ended, that no
// process holds. Every other entry stays: another name, a file of a process
// that may still run or one that is held, and every directory or link.
void removeLeftovers(const Text& name);

// The name under which the file `name` is stored, as openFile finds it. File
// names on Windows ignore letter case: there it is `name`. On POSIX, when no
// plain file (or link to one) has the exact name, it is the plain file of the
// same directory whose name differs only in the case of ASCII letters (with
// the directory part as given), or `name` when there is none.
Text storedFileName(const Text& name);

}  // namespace corrivex
