// Data file discovery: the *.txt and *.dat files of the current directory
// as a list of upper-case base names.
#pragma once

#include <cstdint>

#include "primitives/text.h"

namespace corrivex::selection {

// Fills the four items from the current directory; BaseNameCount is at
// least 1. Prints a warning line when there is no data file.
void discoverDataFiles(NameList& FileNames, std::int16_t& FileNameCount, NameList& BaseNames,
                       std::int16_t& BaseNameCount);

}  // namespace corrivex::selection
