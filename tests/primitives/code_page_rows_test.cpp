// Names and paths written in UTF-8, each row run in the system's code page
// where that can spell it: in 932 the trail bytes of テスト are e X g and
// those of 表 and ソ are 0x5C.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform_text.h"
#include "primitives/characters.h"
#include "primitives/directory.h"
#include "primitives/letter_case.h"

namespace corrivex {
namespace {

// The start directory, the editor's file, whether a listing adds "*.*".
Text startDirectory(const Text& current) { return collapseDoubledSeparators(current, "\\", 1); }
Text settingsFile(const Text& start) { return collapseDoubledSeparators(start + "\\", "\\", 2) + "batchs.ini"; }
Text listsInside(const Text& mask) { return endsWithCharacterOf(mask, ":\\") ? "yes" : "no"; }

struct Row {
    Text (*operation)(const Text&);
    const char* text;
    const char* expected;
};

const Row kRows[] = {
    {upperCasedName, "テスト1.txt", "テスト1.TXT"},
    {upperCasedName, "übung1.dat", "ÜBUNG1.DAT"},
    {upperCasedName, "„Faust“ Preis¤", "„FAUST“ PREIS¤"},
    {upperCasedName, "тестд.txt", "тестд.TXT"},
    {startDirectory, "C:\\成績表\\授業", "C:\\成績表\\授業"},
    {startDirectory, "C:\\表ソ\\\\x", "C:\\表ソ\\x"},
    {settingsFile, "C:\\成績表", "C:\\成績表\\batchs.ini"},
    {listsInside, "C:\\成績表", "no"},
    {listsInside, "C:\\表\\", "yes"},
};

TEST(CodePageRows, NamesAndPathsByCharacter) {
#ifdef _WIN32
    // The locale tests say which code page their LANG should give.
    const char* asked = std::getenv("CORRIVEX_TEST_CODE_PAGE");
    if (asked && std::to_string(GetACP()) != asked) GTEST_SKIP() << "not the code page asked for: " << asked;
#endif
    for (const Row& row : kRows) {
        const auto text = testing::platformText(row.text), expected = testing::platformText(row.expected);
        if (!text || !expected) continue;
        EXPECT_EQ(row.operation(*text), *expected) << row.text;
    }
}

}  // namespace
}  // namespace corrivex
