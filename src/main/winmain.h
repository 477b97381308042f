// The run driver.
#pragma once

#include "primitives/text.h"

namespace corrivex {

// The start directory: the current directory with each pair of doubled
// separators collapsed once. The leading pair of a network path
// (\\server\share) is kept.
Text startDirectoryFrom(const Text& current);

// The whole run. Reads only the instance handle; returns 0 on every path.
// Only the failure to allocate the run state, before the first step, leaves
// it (as std::bad_alloc).
int WINMAIN(void* instance, void* previousInstance, const char* commandTail, int showState);

}  // namespace corrivex
