// The list of base names offered for selection, made from the data file
// names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "primitives/text.h"

namespace corrivex::selection {

// The base names of `fileNames` (upper-cased names, in list order), each
// data set standing once: a base name whose trimmed form equals that of an
// earlier one is left out, wherever that one stands. Base names are stored
// untrimmed, at most 1000 of them. BaseNameCount is at least 1 (with no file
// name, slot 1 holds the empty text); every later slot is emptied.
void fillBaseNames(std::span<const Text> fileNames, NameList& BaseNames, std::int16_t& BaseNameCount);

// How many data sets `fileNames` hold: their base names told apart as
// fillBaseNames tells them, however many there are.
std::size_t countDataSets(std::span<const Text> fileNames);

}  // namespace corrivex::selection
