// The selection list box and the parsing of its result.
#pragma once

#include <cstdint>

#include "primitives/text.h"

namespace corrivex::selection {

// Shows the list box over BaseNames, clears the screen, and splits the
// result into ChosenNames and ChosenCount.
void selectDataSets(const NameList& BaseNames, std::int16_t BaseNameCount, Text& Selection, NameList& ChosenNames,
                    std::int16_t& ChosenCount);

}  // namespace corrivex::selection
