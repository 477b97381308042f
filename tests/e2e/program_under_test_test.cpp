// How the tests reach the two builds and the stand-in engine.
#include <gtest/gtest.h>

#include <algorithm>

#include "program_under_test.h"

namespace corrivex::e2e {
namespace {

TEST(ProgramUnderTest, WineRunsInTheBuildsOwnPrefixQuietly) {
    const auto env = wineEnvironment("/builds/win32");
    const auto has = [&](const std::string& name, const std::string& value) {
        return std::find(env.begin(), env.end(), std::pair<std::string, std::string>{name, value}) != env.end();
    };
    EXPECT_TRUE(has("WINEPREFIX", "/builds/win32/wineprefix"));
    EXPECT_TRUE(has("WINEDEBUG", "-all"));
    EXPECT_TRUE(has("WINEDLLOVERRIDES", "mscoree,mshtml="));
    EXPECT_TRUE(has("WINEARCH", "win32"));
}

TEST(ProgramUnderTest, EngineFolderComesFirstOnTheSearchPath) {
    ProgramUnderTest native;
    native.build = Build::Native;
    native.engineDirectory = "/builds/native/engine";
    const auto [name, value] = engineSearchPath(native);
    EXPECT_EQ(name, "PATH");
    EXPECT_EQ(value.substr(0, 22), "/builds/native/engine:");

    ProgramUnderTest win32;
    win32.build = Build::Win32;
    win32.engineDirectory = "/builds/win32/engine";
    EXPECT_EQ(engineSearchPath(win32), (std::pair<std::string, std::string>{"WINEPATH", "Z:\\builds\\win32\\engine"}));
}

TEST(ProgramUnderTest, WineBuildRunsThroughWine) {
    const ProgramUnderTest win32 = programUnderTest(Build::Win32);
    ASSERT_EQ(win32.command.size(), 2u);
    EXPECT_EQ(win32.command[1], win32.program.string());
    EXPECT_EQ(win32.program.filename(), "corrivex.exe");
    EXPECT_EQ(win32.engineDirectory, win32.program.parent_path() / "engine");
    const ProgramUnderTest native = programUnderTest(Build::Native);
    ASSERT_EQ(native.command.size(), 1u);
    EXPECT_EQ(native.command[0], native.program.string());
}

}  // namespace
}  // namespace corrivex::e2e
