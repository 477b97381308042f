// The current directory: currentDir and changeDir, with their refusals.
#include <gtest/gtest.h>

#include "primitives/directory.h"
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

TEST_F(CurrentDirectory, WildcardsAreRefusedWithoutAskingThePlatform) {
    fs::create_directory("sub");
#ifndef _WIN32
    // Here such names are legal: the refusal must come before the platform.
    fs::create_directory("s*b");
    fs::create_directory("s?b");
#endif
    const Text here = currentDir();
    changeDir("s*b");
    EXPECT_EQ(currentDir(), here);
    changeDir("s?b");
    EXPECT_EQ(currentDir(), here);
    changeDir("*");
    EXPECT_EQ(currentDir(), here);
}

TEST_F(CurrentDirectory, APathHoldingNulIsRefused) {
    fs::create_directory("sub");
    const Text here = currentDir();
    changeDir(Text("sub\0junk", 8));
    EXPECT_EQ(currentDir(), here);
}

TEST_F(CurrentDirectory, ThePathIsCutTo255Characters) {
    fs::create_directory("sub");
    const Text here = currentDir();
    Text prefix;
    for (int i = 0; i < 126; ++i) prefix += "." + pathSeparator();
    const Text path = prefix + "sub";
    ASSERT_EQ(path.size(), 255u);
    changeDir(path + "-and-more");
    EXPECT_EQ(currentDir(), here + pathSeparator() + "sub");
}

#ifndef _WIN32
// A current directory longer than 259 characters is not given out cut short.
TEST_F(CurrentDirectory, ADirectoryPathLongerThan259CharactersGivesEmpty) {
    constexpr std::size_t kLongestGivenOut = 259;
    const Text here = currentDir();
    const Text part(60, 'd');
    fs::path deep = root();
    while (deep.string().size() <= kLongestGivenOut) deep /= part;
    fs::create_directories(deep);
    fs::current_path(deep);
    EXPECT_EQ(currentDir(), "");
    fs::current_path(deep.parent_path());
    if (deep.parent_path().string().size() <= kLongestGivenOut) {
        EXPECT_EQ(currentDir(), deep.parent_path().string());
    }
    fs::current_path(root());
    EXPECT_EQ(currentDir(), here);
}
#endif

}  // namespace
}  // namespace corrivex::test
