// The longest texts handed to the platform. A longer text is refused, never
// cut: a cut path, file name or command line names something else.
#pragma once

#include <cstddef>

#ifndef _WIN32
#include <climits>
#endif

#include "primitives/text.h"

namespace corrivex::limits {

#ifdef _WIN32
inline constexpr std::size_t kCommandLine = 256;
inline constexpr std::size_t kMask = 256;
inline constexpr std::size_t kFileName = 255;
inline constexpr std::size_t kDirectoryPath = 255;
#else
// The system's own: a path of up to PATH_MAX bytes with its terminating NUL;
// a command line is a program and one argument, a path or a name.
inline constexpr std::size_t kFileName = PATH_MAX - 1;
inline constexpr std::size_t kDirectoryPath = PATH_MAX - 1;
inline constexpr std::size_t kMask = PATH_MAX - 1;
inline constexpr std::size_t kCommandLine = 2 * PATH_MAX;
#endif

inline bool fits(const Text& text, std::size_t length) { return text.size() <= length; }

}  // namespace corrivex::limits
