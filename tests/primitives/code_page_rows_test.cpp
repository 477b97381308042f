// Names and paths in the code pages of the systems tried: each row runs where
// its code page is that of the texts.
#include <gtest/gtest.h>

#include <cstdlib>

#include "code_page.h"
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
    unsigned codePage;
    Text (*operation)(const Text&);
    Text text, expected;
};

// 932: テスト1 (trail bytes e X g), 成績表\授業 and 表ソ, whose trail bytes are 0x5C.
// clang-format off
const Row kRows[] = {
    {932, upperCasedName, "\x83\x65\x83\x58\x83\x67" "1.txt", "\x83\x65\x83\x58\x83\x67" "1.TXT"},
    {932, startDirectory, "C:\\\x90\xAC\x90\xD1\x95\x5C\\\x8E\xF6", "C:\\\x90\xAC\x90\xD1\x95\x5C\\\x8E\xF6"},
    {932, settingsFile, "C:\\\x90\xAC\x90\xD1\x95\x5C", "C:\\\x90\xAC\x90\xD1\x95\x5C\\batchs.ini"},
    {932, listsInside, "C:\\\x90\xAC\x90\xD1\x95\x5C", "no"},
    {932, listsInside, "C:\\\x95\x5C\\", "yes"},
    {932, startDirectory, "C:\\\x95\x5C\x83\x5C\\\\x", "C:\\\x95\x5C\x83\x5C\\x"},
    {1252, upperCasedName, "\xFC" "bung1.dat", "\xDC" "BUNG1.DAT"},                      // übung1
    {1252, upperCasedName, "\x84" "Faust\x93 Preis\xA4", "\x84" "FAUST\x93 PREIS\xA4"},  // „Faust“ Preis¤
    {1251, upperCasedName, "\xF2\xE5\xF1\xF2\xE4.txt", "\xF2\xE5\xF1\xF2\xE4.TXT"},       // тестд
    {65001, upperCasedName, "\xC3\xBC" "bung1.dat", "\xC3\x9C" "BUNG1.DAT"},
    {65001, startDirectory, "C:\\\xE8\xA1\xA8\\\\x", "C:\\\xE8\xA1\xA8\\x"},  // 表
};
// clang-format on

TEST(CodePageRows, NamesAndPathsByCharacter) {
    // The locale tests say which code page their LANG should give.
    const char* asked = std::getenv("CORRIVEX_TEST_CODE_PAGE");
    if (asked && std::to_string(textCodePage()) != asked) GTEST_SKIP() << "not the code page asked for: " << asked;
    for (const Row& row : kRows) {
        if (row.codePage != textCodePage()) continue;
        EXPECT_EQ(row.operation(row.text), row.expected) << row.text;
    }
}

}  // namespace
}  // namespace corrivex
