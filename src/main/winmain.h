// The run driver.
#pragma once

#include "primitives/text.h"

namespace corrivex {

// The start directory: the current directory with each pair of doubled
// separators collapsed once. The leading pair of a network path
// (\\server\share) is kept.
Text startDirectoryFrom(const Text& current);

// The whole run. Reads only the instance handle; returns 0 on every path.
int WINMAIN(void* instance, void* previousInstance, const char* commandTail, int showState);

}  // namespace corrivex
