// The lengths to which texts handed to the platform are cut.
#pragma once

#include <cstddef>

#include "primitives/text.h"

namespace corrivex::limits {

inline constexpr std::size_t kCommandLine = 256;
inline constexpr std::size_t kMask = 256;
inline constexpr std::size_t kFileName = 255;
inline constexpr std::size_t kDirectoryPath = 255;
inline constexpr std::size_t kCurrentDirectory = 259;

inline Text cut(const Text& text, std::size_t length) { return text.size() > length ? text.substr(0, length) : text; }

}  // namespace corrivex::limits
