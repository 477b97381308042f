// The list box's result as the list of chosen data set names.
#pragma once

#include <cstdint>

#include "primitives/text.h"

namespace corrivex::selection {

// Field k (from 1) of a text whose fields are separated by NUL bytes: the
// bytes behind the (k-1)-th NUL up to the k-th NUL or the end. A field
// number below 1 or beyond the last field gives the empty text.
Text fieldOf(const Text& text, int k);

// Fields 1 to BaseNameCount of Selection, each trimmed of blanks; the
// non-empty ones go, in order and without gaps, to ChosenNames from slot 1
// on, and ChosenCount is their number. Every later slot is emptied.
void splitSelection(const Text& Selection, std::int16_t BaseNameCount, NameList& ChosenNames,
                    std::int16_t& ChosenCount);

}  // namespace corrivex::selection
