// The process frame when the run cannot be set up: without memory for the
// run's state, the process ends with exit code 255 and nothing is shown.
#include <gtest/gtest.h>

#include "console/console_state.h"
#include "main/process_frame.h"
#include "out_of_memory.h"
#include "memory_console_host.h"

namespace corrivex {
namespace {

TEST(ProcessFrame, NoMemoryForTheConsoleOrTheRunStateEndsWith255ShowingNothing) {
    platform::MemoryConsoleHost host{platform::CellPos{80, 25}};
    platform::installConsoleHost(&host);
    int exitCode = 0;
    {
        const testing::OutOfMemory noMemory;
        exitCode = runProcess(nullptr, "", 1);
    }
    platform::installConsoleHost(nullptr);
    EXPECT_EQ(exitCode, 255);
    EXPECT_EQ(host.title(), "");
    EXPECT_EQ(host.cursor(), (platform::CellPos{0, 0}));
    for (int y = 0; y < host.size().y; ++y) EXPECT_EQ(host.rowText(y).find_first_not_of(' '), std::string::npos);

    // The platform's own console, made as it is prepared, takes memory too
    // (the terminal's screen buffer on POSIX).
    {
        const testing::OutOfMemory noMemory;
        exitCode = runProcess(nullptr, "", 1, console::prepareConsole);
    }
    EXPECT_EQ(exitCode, 255);
}

}  // namespace
}  // namespace corrivex
