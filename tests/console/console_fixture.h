// The console tests' fixture: a memory console of the given size installed
// as the console host, and the console state reset before and after.
#pragma once

#include <gtest/gtest.h>

#include "console/console_state.h"
#include "memory_console_host.h"

namespace corrivex::console {

class MemoryConsoleTest : public ::testing::Test {
protected:
    explicit MemoryConsoleTest(platform::CellPos size) : host(size) {}

    void SetUp() override {
        platform::installConsoleHost(&host);
        resetConsoleState();
    }
    void TearDown() override {
        platform::installConsoleHost(nullptr);
        resetConsoleState();
    }

    platform::MemoryConsoleHost host;
};

}  // namespace corrivex::console
