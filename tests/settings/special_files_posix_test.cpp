// Entries named batchs.ini that are no plain files, and one whose reads fail,
// on POSIX systems: no hang, nothing written, the run goes on as for a
// missing or unreadable file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "gate_fixture.h"

namespace corrivex::settings {
namespace {

namespace fs = std::filesystem;

class SpecialFileTest : public testing::GateTest {};

// With no reader, opening a fifo for writing would block for ever; the test
// holds a reader open so that a fault shows as bytes in the fifo, not as a
// hang.
TEST_F(SpecialFileTest, FifoIsLeftAloneAndTheGateSkips) {
    ASSERT_EQ(mkfifo(settings().c_str(), 0644), 0);
    const int reader = open(settings().c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(runGate(), GateResult::GoOn);
    char byte = 0;
    EXPECT_LE(read(reader, &byte, 1), 0);
    close(reader);
    EXPECT_TRUE(fs::is_fifo(settings()));
    EXPECT_TRUE(consoleUntouched());
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

TEST_F(SpecialFileTest, LinkToADeviceIsLeftAloneAndTheGateSkips) {
    fs::create_symlink("/dev/null", settings());
    EXPECT_EQ(runGate(), GateResult::GoOn);
    EXPECT_TRUE(fs::is_symlink(settings()));
    EXPECT_EQ(fs::read_symlink(settings()), "/dev/null");
    EXPECT_TRUE(consoleUntouched());
}

// A plain file that opens but cannot be read, even by a privileged user:
// both reads are empty, so batch mode is off and the box asks; No ends.
TEST_F(SpecialFileTest, FileWhoseReadsFailAsks) {
    if (!fs::is_regular_file("/proc/self/mem")) GTEST_SKIP() << "no /proc/self/mem";
    fs::create_symlink("/proc/self/mem", settings());
    host.pushChar('n');
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_EQ(host.cursor(), (platform::CellPos{0, 1}));  // the empty line before the box
    EXPECT_TRUE(fs::is_symlink(settings()));
}

}  // namespace
}  // namespace corrivex::settings
