// Paths written in UTF-8, each row run in the system's code page where that
// can spell it: in 932 the trail bytes of 表 and ソ are 0x5C.
#include <gtest/gtest.h>

#include "platform_text.h"
#include "primitives/characters.h"
#include "primitives/directory.h"

namespace corrivex {
namespace {

// The start directory, the editor's file, whether a listing adds "*.*".
Text startDirectory(const Text& current) { return collapseDoubledSeparators(current, "\\", 1); }
Text settingsFile(const Text& start) { return collapseDoubledSeparators(start + "\\", "\\", 2) + "batchs.ini"; }
Text listsInside(const Text& mask) { return endsWithCharacterOf(mask, ":\\") ? "yes" : "no"; }

// clang-format off
struct Row { Text (*operation)(const Text&); const char *text, *expected; };
const Row kRows[] = {
    {startDirectory, "C:\\成績表\\授業", "C:\\成績表\\授業"}, {startDirectory, "C:\\表ソ\\\\x", "C:\\表ソ\\x"},
    {settingsFile, "C:\\成績表", "C:\\成績表\\batchs.ini"}, {listsInside, "C:\\成績表", "no"}, {listsInside, "C:\\表\\", "yes"},
};
// clang-format on

TEST(CodePageRows, NamesAndPathsByCharacter) {
    if (const std::string other = testing::codePageNotAsked(); !other.empty()) GTEST_SKIP() << other;
    for (const Row& row : kRows) {
        const auto text = testing::platformText(row.text), expected = testing::platformText(row.expected);
        if (!text || !expected) continue;
        EXPECT_EQ(row.operation(*text), *expected) << row.text;
    }
}

}  // namespace
}  // namespace corrivex
