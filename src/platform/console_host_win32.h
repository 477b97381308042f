// The console host on the Windows console (console_host_win32.cpp).
#pragma once

#include <memory>

#include "platform/console_host.h"

namespace corrivex::platform {

// A host on the console of the standard handles, taken with their console
// modes when the host is first used. Every such host in the process works
// on the same console.
std::unique_ptr<ConsoleHost> makeWindowsConsoleHost();

}  // namespace corrivex::platform
