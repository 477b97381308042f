#include "selection/name_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace corrivex::selection {
namespace {

Text bytes(std::initializer_list<unsigned char> values) { return Text(values.begin(), values.end()); }

// ---- Upper-casing -------------------------------------------------------

TEST(UpperCased, MapsAsciiLettersAndKeepsEverythingElseAscii) {
    EXPECT_EQ(upperCased("alpha.txt"), "ALPHA.TXT");
    EXPECT_EQ(upperCased("Beta.DAT"), "BETA.DAT");
    EXPECT_EQ(upperCased("a-z_0 9.@[`{"), "A-Z_0 9.@[`{");
    EXPECT_EQ(upperCased(""), "");
}

#ifdef _WIN32
TEST(UpperCased, EveryByteFollowsTheTableOfCodePage1252) {
    if (GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
    // The seven code page 1252 letters and their capitals.
    const std::map<unsigned char, unsigned char> cp1252 = {{0xE4, 0xC4}, {0xF6, 0xD6}, {0xFC, 0xDC}, {0xE9, 0xC9},
                                                           {0xF1, 0xD1}, {0xE5, 0xC5}, {0xE7, 0xC7}};
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        unsigned char expected = byte;
        if (byte >= 'a' && byte <= 'z') expected = static_cast<unsigned char>(byte - 32);
        if (const auto pair = cp1252.find(byte); pair != cp1252.end()) expected = pair->second;
        EXPECT_EQ(upperCased(bytes({byte})), bytes({expected})) << "byte " << value;
    }
}

#endif

TEST(UpperCased, KeepsLengthAndNulBytes) {
    const Text name = Text("a\0b", 3);
    EXPECT_EQ(upperCased(name), Text("A\0B", 3));
    EXPECT_EQ(upperCased(bytes({0xA4, 'x'})), bytes({0xA4, 'X'}));    // no letter in 1252, 932 or UTF-8
    EXPECT_EQ(upperCased(bytes({0x8E, 0x99})), bytes({0x8E, 0x99}));  // Ž™ in 1252, a kanji in 932
}

// ---- Base names ---------------------------------------------------------

TEST(BaseNameOf, DropsTheFinalExtensionOnly) {
    EXPECT_EQ(baseNameOf("ALPHA.TXT"), "ALPHA");
    EXPECT_EQ(baseNameOf("ALPHA.DAT"), "ALPHA");
    EXPECT_EQ(baseNameOf("GAMMA.DATA.TXT"), "GAMMA.DATA");
    EXPECT_EQ(baseNameOf("X.TXT.DAT"), "X.TXT");
    EXPECT_EQ(baseNameOf("X.DAT.TXT"), "X.DAT");
    EXPECT_EQ(baseNameOf("DELTA.E.TXT"), "DELTA.E");
    EXPECT_EQ(baseNameOf("A.TXT.TXT"), "A.TXT");
}

TEST(BaseNameOf, KeepsBlanksAndTheRestOfTheName) {
    EXPECT_EQ(baseNameOf("ALPHA .TXT"), "ALPHA ");
    EXPECT_EQ(baseNameOf(" A B .DAT"), " A B ");
    EXPECT_EQ(baseNameOf(".TXT"), "");
}

TEST(BaseNameOf, LeavesOtherNamesUnchanged) {
    EXPECT_EQ(baseNameOf(""), "");
    EXPECT_EQ(baseNameOf("TXT"), "TXT");
    EXPECT_EQ(baseNameOf("ALPHA.TXTX"), "ALPHA.TXTX");
    EXPECT_EQ(baseNameOf("ALPHA.DA"), "ALPHA.DA");
    EXPECT_EQ(baseNameOf("ALPHATXT"), "ALPHATXT");
    // Exact bytes: the rule applies to upper-cased names.
    EXPECT_EQ(baseNameOf("alpha.txt"), "alpha.txt");
    EXPECT_EQ(baseNameOf("alpha.Dat"), "alpha.Dat");
}

// ---- Name order ---------------------------------------------------------

TEST(NameBefore, ComparesBytesAsUnsignedValues) {
    EXPECT_TRUE(nameBefore("A", "B"));
    EXPECT_FALSE(nameBefore("B", "A"));
    EXPECT_FALSE(nameBefore("A", "A"));
    EXPECT_TRUE(nameBefore("Z", bytes({0x80})));
    EXPECT_TRUE(nameBefore(bytes({0x7F}), bytes({0xFF})));
    EXPECT_FALSE(nameBefore(bytes({0xE9}), "_"));
    EXPECT_TRUE(nameBefore(Text("\0", 1), "\x01"));
}

TEST(NameBefore, ShorterPrefixComesFirst) {
    EXPECT_TRUE(nameBefore("", "A"));
    EXPECT_TRUE(nameBefore("", Text("\0", 1)));
    EXPECT_FALSE(nameBefore("A", ""));
    EXPECT_TRUE(nameBefore("ALPHA", "ALPHA.DAT"));
    EXPECT_FALSE(nameBefore("ALPHA.DAT", "ALPHA"));
}

TEST(NameBefore, BlankDashDotThenDigitsCapitalsUnderscoreHighBytes) {
    std::vector<Text> names = {bytes({0x80}), "_", "Z", "A", "9", "0", ".", "-", " ", ""};
    std::vector<Text> expected(names.rbegin(), names.rend());
    std::ranges::sort(names, nameBefore);
    EXPECT_EQ(names, expected);
}

TEST(NameBefore, SortsDataFileNamesAsListed) {
    std::vector<Text> names = {"DELTA.TXT", "ALPHA .TXT", "DELTA.E.TXT", "ALPHA.DAT", "DELTA.DAT"};
    std::ranges::sort(names, nameBefore);
    EXPECT_EQ(names, (std::vector<Text>{"ALPHA .TXT", "ALPHA.DAT", "DELTA.DAT", "DELTA.E.TXT", "DELTA.TXT"}));
}

}  // namespace
}  // namespace corrivex::selection
