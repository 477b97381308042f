// The start directory: doubled separators collapse once; a network path
// keeps its leading pair.
#include <gtest/gtest.h>

#include "main/winmain.h"
#include "primitives/directory.h"

namespace corrivex {
namespace {

Text sep() { return pathSeparator(); }
Text path(std::initializer_list<const char*> parts) {
    Text joined;
    for (const char* part : parts) joined += part[0] == '|' ? sep() : Text(part);
    return joined;
}

TEST(StartDirectory, PathWithoutDoubledSeparatorsStaysUnchanged) {
    const Text plain = path({"|", "courses", "|", "math"});
    EXPECT_EQ(startDirectoryFrom(plain), plain);
    EXPECT_EQ(startDirectoryFrom(sep()), sep());
}

TEST(StartDirectory, OnePassTurnsRunsOfThreeOrFourIntoTwo) {
    EXPECT_EQ(startDirectoryFrom(path({"a", "|", "|", "b"})), path({"a", "|", "b"}));
    EXPECT_EQ(startDirectoryFrom(path({"a", "|", "|", "|", "b"})), path({"a", "|", "|", "b"}));
    EXPECT_EQ(startDirectoryFrom(path({"a", "|", "|", "|", "|", "b"})), path({"a", "|", "|", "b"}));
}

TEST(StartDirectory, NetworkPathKeepsItsLeadingPair) {
    EXPECT_EQ(startDirectoryFrom(path({"|", "|", "server", "|", "share", "|", "course"})),
              path({"|", "|", "server", "|", "share", "|", "course"}));
    EXPECT_EQ(startDirectoryFrom(path({"|", "|", "server", "|", "share", "|", "|", "course"})),
              path({"|", "|", "server", "|", "share", "|", "course"}));
}

}  // namespace
}  // namespace corrivex
