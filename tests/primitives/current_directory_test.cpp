// The current directory: currentDir and changeDir, with their refusals.
#include <gtest/gtest.h>

#include "primitives/directory.h"
#include "primitives/length_limits.h"
#include "primitives_support.h"

namespace corrivex::test {
namespace {

class CurrentDirectory : public ScratchDirectory {};

TEST_F(CurrentDirectory, IsTheProcessCurrentDirectory) {
    const Text here = currentDir();
    ASSERT_FALSE(here.empty());
    EXPECT_TRUE(fs::equivalent(here, root()));
    EXPECT_NE(here.back(), pathSeparator().back());
}

TEST_F(CurrentDirectory, ChangeIntoASubdirectoryAndBack) {
    fs::create_directory("sub");
    const Text here = currentDir();
    changeDir("sub");
    EXPECT_EQ(currentDir(), here + pathSeparator() + "sub");
    changeDir("..");
    EXPECT_EQ(currentDir(), here);
}

TEST_F(CurrentDirectory, AnAbsolutePathIsTakenAsItStands) {
    fs::create_directories(fs::path("one") / "two");
    const Text here = currentDir();
    changeDir("one");
    changeDir(here + pathSeparator() + "one" + pathSeparator() + "two");
    EXPECT_EQ(currentDir(), here + pathSeparator() + "one" + pathSeparator() + "two");
}

TEST_F(CurrentDirectory, AtTheRootTheSeparatorStays) {
    const Text here = currentDir();
    changeDir(rootDirectory());
    EXPECT_EQ(currentDir(), rootDirectory());
    changeDir(here);
    EXPECT_EQ(currentDir(), here);
}

TEST_F(CurrentDirectory, AMissingDirectoryLeavesTheCurrentOne) {
    const Text here = currentDir();
    changeDir("missing");
    EXPECT_EQ(currentDir(), here);
    writeBytes("plain-file", "x");
    changeDir("plain-file");
    EXPECT_EQ(currentDir(), here);
    changeDir("");
    EXPECT_EQ(currentDir(), here);
}

TEST_F(CurrentDirectory, WildcardsAreMasksOnWindowsAndPlainBytesElsewhere) {
    fs::create_directory("sub");
#ifdef _WIN32
    const Text here = currentDir();
    changeDir("s*b");
    EXPECT_EQ(currentDir(), here);
    changeDir("s?b");
    EXPECT_EQ(currentDir(), here);
    changeDir("*");
    EXPECT_EQ(currentDir(), here);
#else
    // Legal names here: a start directory may hold them.
    fs::create_directory("s*b");
    fs::create_directory("s?b");
    const Text here = currentDir();
    changeDir("s*b");
    EXPECT_EQ(currentDir(), here + "/s*b");
    changeDir(here + "/s?b");
    EXPECT_EQ(currentDir(), here + "/s?b");
    changeDir("*");  // no such directory
    EXPECT_EQ(currentDir(), here + "/s?b");
#endif
}

TEST_F(CurrentDirectory, APathHoldingNulIsRefused) {
    fs::create_directory("sub");
    const Text here = currentDir();
    changeDir(Text("sub\0junk", 8));
    EXPECT_EQ(currentDir(), here);
}

// A path beyond the platform's limit is refused whole: cut, it would name
// another directory (here the same one, named with a final separator).
TEST_F(CurrentDirectory, APathBeyondTheLimitIsRefusedNotCut) {
    fs::create_directory("sub");
    const Text here = currentDir();
    Text path;
    for (std::size_t i = 0; i < (limits::kDirectoryPath - 3) / 2; ++i) path += "." + pathSeparator();
    path += "sub";
    ASSERT_EQ(path.size(), limits::kDirectoryPath);
    changeDir(path + pathSeparator());
    EXPECT_EQ(currentDir(), here);
    changeDir(path);
    EXPECT_EQ(currentDir(), here + pathSeparator() + "sub");
}

#ifndef _WIN32
// A current directory of any length the system allows is given whole,
// never cut, and longer than the 259 bytes of Windows.
TEST_F(CurrentDirectory, ALongCurrentDirectoryIsGivenWhole) {
    const Text part(60, 'd');
    fs::path deep = root();
    while (deep.string().size() <= 320) deep /= part;
    fs::create_directories(deep);
    fs::current_path(deep);
    EXPECT_EQ(currentDir(), deep.string());
}
#endif

}  // namespace
}  // namespace corrivex::test
