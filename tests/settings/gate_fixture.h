// A scratch start directory made current, and a memory console for what the
// gate shows, handed to the console layer as at process start.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "console/console_state.h"
#include "memory_console_host.h"
#include "primitives/directory.h"
#include "settings_test_support.h"
#include "settings/batch_gate.h"

namespace corrivex::settings::testing {

class GateTest : public ::testing::Test {
protected:
    void SetUp() override {
        console::prepareConsole(host);
        StartDir = currentDir();
    }

    std::filesystem::path settings() const { return scratch.path() / "batchs.ini"; }
    GateResult runGate() { return checkBatchSettings(StartDir); }

    // Nothing was written to the console: the cursor never moved and the
    // screen is blank.
    bool consoleUntouched() const {
        if (host.cursor() != platform::CellPos{0, 0}) return false;
        for (int y = 0; y < host.size().y; ++y)
            if (host.rowText(y).find_first_not_of(' ') != std::string::npos) return false;
        return true;
    }

    ScratchDirectory scratch;
    platform::MemoryConsoleHost host{platform::CellPos{80, 25}};
    Text StartDir;
};

}  // namespace corrivex::settings::testing
