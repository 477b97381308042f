// Names and paths in the code pages of the systems tried, as rows: each row
// runs where its code page is the one of the texts (code_page.h), so the
// win32 tests run them in the locales that pick those code pages.
#include <gtest/gtest.h>

#include "code_page.h"
#include "primitives/characters.h"
#include "primitives/directory.h"
#include "primitives/letter_case.h"

namespace corrivex {
namespace {

using testing::codePageMissing;
using testing::kUtf8;
using testing::textCodePage;

struct NameRow {
    unsigned codePage;
    Text name;
    Text upperCased;  // what the engine is given, with the extension
};

const NameRow kNames[] = {
    {932,
     "\x83\x65\x83\x58\x83\x67"
     "1.txt",
     "\x83\x65\x83\x58\x83\x67"
     "1.TXT"},                                                              // テスト1: trail bytes e X g
    {932, "\x82\xB5\x82\xAF\x82\xF1.txt", "\x82\xB5\x82\xAF\x82\xF1.TXT"},  // しけん
    {932,
     "\x90\xAC\x90\xD1\x95\x5C"
     "a.dat",
     "\x90\xAC\x90\xD1\x95\x5C"
     "A.DAT"},  // 成績表a
    {1252,
     "\xFC"
     "bung1.dat",
     "\xDC"
     "BUNG1.DAT"},  // übung1
    {1252,
     "\x84"
     "Faust\x93.txt",
     "\x84"
     "FAUST\x93.TXT"},                                                               // „Faust“
    {1252, "Preis\xA4.dat", "PREIS\xA4.DAT"},                                        // Preis¤
    {1252, "\xE4\xF6\xE9\xF1\xE5\xE7\xFF\xE0", "\xC4\xD6\xC9\xD1\xC5\xC7\xFF\xE0"},  // äöéñåç ÿà
    {1251, "\xF2\xE5\xF1\xF2.txt", "\xF2\xE5\xF1\xF2.TXT"},                          // тест: no ä in 1251
    {kUtf8,
     "\xC3\xBC"
     "bung1.dat",
     "\xC3\x9C"
     "BUNG1.DAT"},  // übung1
    {kUtf8,
     "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88"
     "1.txt",
     "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88"
     "1.TXT"},
};

// A start directory as the platform gives it; the start directory after
// its one pass of collapsing, and the path of the editor's file (two
// passes over the directory and a separator, then the name).
struct PathRow {
    unsigned codePage;
    Text current;
    Text startDirectory;
    Text settingsFile;
};

const PathRow kPaths[] = {
    // 成績表\授業, 成績表: the trail byte of 表 is 0x5C.
    {932, "C:\\\x90\xAC\x90\xD1\x95\x5C\\\x8E\xF6\x8B\xC6", "C:\\\x90\xAC\x90\xD1\x95\x5C\\\x8E\xF6\x8B\xC6",
     "C:\\\x90\xAC\x90\xD1\x95\x5C\\\x8E\xF6\x8B\xC6\\batchs.ini"},
    {932, "C:\\\x90\xAC\x90\xD1\x95\x5C", "C:\\\x90\xAC\x90\xD1\x95\x5C", "C:\\\x90\xAC\x90\xD1\x95\x5C\\batchs.ini"},
    // 表ソ, then a doubled separator, which collapses.
    {932, "C:\\\x95\x5C\x83\x5C\\\\x", "C:\\\x95\x5C\x83\x5C\\x", "C:\\\x95\x5C\x83\x5C\\x\\batchs.ini"},
    {kUtf8, "C:\\\xE8\xA1\xA8\\\\x", "C:\\\xE8\xA1\xA8\\x", "C:\\\xE8\xA1\xA8\\x\\batchs.ini"},  // 表
};

class CodePageRows : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string missing = codePageMissing(); !missing.empty()) GTEST_SKIP() << missing;
    }
};

TEST_F(CodePageRows, NamesAreUpperCasedByCharacter) {
    for (const NameRow& row : kNames) {
        if (row.codePage != textCodePage()) continue;
        EXPECT_EQ(upperCasedName(row.name), row.upperCased) << row.name;
    }
}

TEST_F(CodePageRows, SeparatorsAreFoundOnlyAsCharacters) {
    for (const PathRow& row : kPaths) {
        if (row.codePage != textCodePage()) continue;
        EXPECT_EQ(collapseDoubledSeparators(row.current, "\\", 1), row.startDirectory) << row.current;
        EXPECT_FALSE(endsWithCharacterOf(row.startDirectory, "\\")) << row.current;  // a listing's mask
        EXPECT_EQ(collapseDoubledSeparators(row.startDirectory + "\\", "\\", 2) + "batchs.ini", row.settingsFile)
            << row.current;
    }
}

}  // namespace
}  // namespace corrivex
