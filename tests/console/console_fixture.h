// The console tests' fixture: a memory console of the given size, handed to
// the console layer as the process start hands it the console of the process.
#pragma once

#include <gtest/gtest.h>

#include "console/console_state.h"
#include "memory_console_host.h"

namespace corrivex::console {

class MemoryConsoleTest : public ::testing::Test {
protected:
    explicit MemoryConsoleTest(platform::CellPos size) : host(size) {}

    void SetUp() override { prepareConsole(host); }

    platform::MemoryConsoleHost host;
};

}  // namespace corrivex::console
