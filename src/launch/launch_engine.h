// The engine runs: Quelmark.exe once per chosen data set, in the start
// directory, one after the other.
#pragma once

#include <cstdint>

#include "primitives/text.h"

namespace corrivex::launch {

inline constexpr const char* kEngineProgram = "Quelmark.exe";

// The command line of one run: the program, three blanks, the data set name.
Text engineCommand(const Text& dataSet);

// Makes StartDir current, then runs the engine for ChosenNames(1) to
// ChosenNames(ChosenCount), in order, each run ended before the next starts.
// When StartDir is not the current directory after that, no engine runs. A
// run that cannot start (that one or any other) is skipped after one line on
// the console that names the engine, the data set and the reason; nothing
// else is written to the console.
void launchEngine(const Text& StartDir, const NameList& ChosenNames, std::int16_t ChosenCount);

}  // namespace corrivex::launch
