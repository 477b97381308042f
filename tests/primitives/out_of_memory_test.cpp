// The primitives when memory runs out: a text that cannot be made is the
// empty text, an operation that cannot be done does nothing, and nothing
// leaves them.
#include <gtest/gtest.h>

#include "out_of_memory.h"
#include "primitives/directory.h"
#include "primitives/process.h"
#include "primitives/text_file.h"
#include "primitives_support.h"

namespace corrivex::test {
namespace {

using OutOfMemory = ScratchDirectory;

// Every text here is too long to be held without the heap.
TEST_F(OutOfMemory, TextsThatCannotBeMadeAreEmptyAndNothingRuns) {
    const Text name = "a-data-file-with-a-long-name.txt";
    writeBytes(name, "x");
    const Text text = "  " + Text(40, 'a') + "\\\\" + Text(40, 'b') + "  ";
    const Text command = "primitives_child a-log-file-with-a-long-name.log";
    writeBytes("in.txt", "in\r\n");  // a short name: opening it takes no memory, noting it does
    ASSERT_EQ(dirFirst("*.txt", attr::kNone), name);
    abandonListing();
#ifndef _WIN32
    const auto descriptors = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto descriptorsBefore = descriptors();
#endif

    Text replaced = "unchanged";
    Text trimmed = "unchanged";
    Text cutLeft = "unchanged";
    Text cutRight = "unchanged";
    Text part = "unchanged";
    Text collapsed = "unchanged";
    Text current = "unchanged";
    Text listed = "unchanged";
    bool exists = true;
    {
        const testing::OutOfMemory noMemory;
        replaced = replaceAll(text, "\\\\", "\\");
        trimmed = trim(text);
        cutLeft = trimLeft(text);
        cutRight = trimRight(text);
        part = substring(text, 2, 60);
        collapsed = collapseDoubledSeparators(text, "\\", 2);
        current = currentDir();
        listed = dirFirst("*.txt", attr::kNone);
        exists = fileExists(name);
        runCommand(command, kShowNormal, true);
        openFile(1, "in.txt", FileMode::Input);
    }
    EXPECT_EQ(replaced, "");
    EXPECT_EQ(trimmed, "");
    EXPECT_EQ(cutLeft, "");
    EXPECT_EQ(cutRight, "");
    EXPECT_EQ(part, "");
    EXPECT_EQ(collapsed, "");
    EXPECT_EQ(current, "");
    EXPECT_EQ(listed, "");
    EXPECT_FALSE(exists);
    EXPECT_FALSE(fs::exists("a-log-file-with-a-long-name.log"));
    EXPECT_EQ(readLine(1), "");  // nothing was opened, and nothing was left open:
#ifdef _WIN32
    EXPECT_TRUE(otherReaderCanOpen("in.txt"));
#else
    EXPECT_EQ(descriptors(), descriptorsBefore);
#endif
    // With memory again, all is as before.
    EXPECT_EQ(dirFirst("*.txt", attr::kNone), name);
    EXPECT_TRUE(fs::equivalent(currentDir(), root()));
}

}  // namespace
}  // namespace corrivex::test
