#include "primitives/command_line.h"

namespace corrivex {

CommandParts splitCommandLine(const Text& line) {
    CommandParts parts;
    const std::size_t start = line.find_first_not_of(' ');
    if (start == Text::npos) return parts;
    const std::size_t end = line.find(' ', start);
    parts.program = line.substr(start, end == Text::npos ? Text::npos : end - start);
    const std::size_t rest = end == Text::npos ? Text::npos : line.find_first_not_of(' ', end);
    if (rest != Text::npos) parts.argument = line.substr(rest);
    return parts;
}

}  // namespace corrivex
