// The process frame when the run cannot be set up: without memory for the
// run's state, the process ends with exit code 255 and nothing is shown.
#include <gtest/gtest.h>

#include "main/process_frame.h"
#include "memory_console_host.h"
#include "out_of_memory.h"
#include "process_console/process_console.h"

namespace corrivex {
namespace {

platform::MemoryConsoleHost* memoryConsole = nullptr;

TEST(ProcessFrame, NoMemoryForTheConsoleOrTheRunStateEndsWith255ShowingNothing) {
    platform::MemoryConsoleHost host{platform::CellPos{80, 25}};
    memoryConsole = &host;
    int exitCode = 0;
    {
        const testing::OutOfMemory noMemory;
        exitCode = runProcess([]() -> platform::ConsoleHost& { return *memoryConsole; }, nullptr, "", 1);
    }
    EXPECT_EQ(exitCode, 255);
    EXPECT_EQ(host.title(), "");
    EXPECT_EQ(host.cursor(), (platform::CellPos{0, 0}));
    for (int y = 0; y < host.size().y; ++y) EXPECT_EQ(host.rowText(y).find_first_not_of(' '), std::string::npos);

    // The console of the process, made when the frame first asks for it,
    // takes memory too (the terminal's screen buffer on POSIX).
    {
        const testing::OutOfMemory noMemory;
        exitCode = runProcess(platform::consoleHost, nullptr, "", 1);
    }
    EXPECT_EQ(exitCode, 255);
}

}  // namespace
}  // namespace corrivex
