// The console that runCommand hands over to a child it waits for (an editor,
// the engine) and takes back when the child has ended: the console of the
// process, given by the process frame when the process starts. Until one is
// given, a child runs without a hand-over.
#pragma once

#include "platform/console_host.h"

namespace corrivex {

// `console` from now on; nullptr for none.
void setChildConsole(platform::ConsoleHost* console);

// Around a child that is waited for: the given console's beginChild and
// endChild.
void handOverConsole();
void takeBackConsole();

}  // namespace corrivex
