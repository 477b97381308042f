// The engine runs: Quelmark.exe once per chosen data set, in the start
// directory, one after the other.
#pragma once

#include <cstdint>

#include "primitives/text.h"

namespace corrivex::launch {

inline constexpr const char* kEngineProgram = "Quelmark.exe";

void launchEngine(const Text& StartDir, const NameList& ChosenNames, std::int16_t ChosenCount);

}  // namespace corrivex::launch
