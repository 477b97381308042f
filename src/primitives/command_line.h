// A command line as a POSIX program gets it: the program and one argument.
//
// Windows hands a program its whole command tail, and Notepad takes all of it
// as one file name; a data set's name may hold blanks too. So the line is
// split only once: the program is the first word, and the rest of the line,
// without the blanks before it, is its one argument (none when nothing
// follows). Nothing is quoted and no shell ever sees the line.
#pragma once

#include <optional>

#include "primitives/text.h"

namespace corrivex {

struct CommandParts {
    Text program;                  // empty for a line of blanks
    std::optional<Text> argument;  // blanks inside and at its end stay
    friend bool operator==(const CommandParts&, const CommandParts&) = default;
};

CommandParts splitCommandLine(const Text& line);

}  // namespace corrivex
