// The terminal renderer: the bytes it sends, checked byte for byte where the
// exact form matters and otherwise through a model terminal that must end up
// showing the buffer's window.
#include "terminal/terminal_renderer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "memory_console_host.h"
#include "platform/console_text.h"
#include "platform/cp437.h"
#include "vt_model.h"

namespace corrivex::platform {
namespace {

using testing::VtCell;
using testing::VtModel;
using testing::VtProfile;

// The ANSI colour that shows each Windows colour number: black, blue, green,
// cyan, red, magenta, brown, light grey, then their bright forms.
constexpr int kForeground[16] = {30, 34, 32, 36, 31, 35, 33, 37, 90, 94, 92, 96, 91, 95, 93, 97};

// What a terminal that shows `cell` holds.
VtCell shown(Cell cell) {
    VtCell v;
    // Controls show as their code page 437 glyphs; other characters as they are.
    v.ch = cell.ch < 0x20 || (cell.ch >= 0x7F && cell.ch < 0xA0) ? cp437CodePoint(static_cast<unsigned char>(cell.ch))
                                                                 : cell.ch;
    v.fg = kForeground[cell.attr & 0x0F];
    v.bg = kForeground[(cell.attr >> 4) & 0x0F] + 10;
    v.reverse = (cell.attr & 0x4000) != 0;
    v.underline = (cell.attr & 0x8000) != 0;
    return v;
}

// Whether an 8-bit terminal may show `shown` for `c`: ASCII (and Latin-1 in Latin-1) as it is, a line as a
// line or ASCII, the rest as '?' or the like.
bool eightBitShows(char32_t c, char32_t shown, bool latin1) {
    const auto in = [shown](std::u32string_view set) { return set.find(shown) != std::u32string_view::npos; };
    if ((c >= 0x20 && c < 0x7F) || (latin1 && c >= 0xA0 && c <= 0xFF)) return shown == c;
    if (c >= 0x2500 && c <= 0x257F) return (shown >= 0x2500 && shown <= 0x257F) || in(U"-|+=");
    return shown >= 0x2190 || in(U"?#<>^vo+");
}

// The model shows the window of `buffer`, clipped to the model's size, and
// nothing but blanks in the terminal's own colours beyond it. A model without
// REP may show an erased blank (no foreground) for a blank; one of 8 colours shows bright backgrounds dark;
// an 8-bit one shows what Latin-1 and its line drawing set have.
void expectModelShows(const VtModel& model, const ScreenBuffer& buffer, const VtProfile& profile = {},
                      bool latin1 = true) {
    const CellRect w = buffer.window();
    for (int y = 0; y < model.rows(); ++y) {
        for (int x = 0; x < model.columns(); ++x) {
            const bool inside = x <= w.right - w.left && y <= w.bottom - w.top;
            VtCell expected = inside ? shown(buffer.at(w.left + x, w.top + y)) : VtCell{};
            if (model.at(x, y).fg == -1 && expected.ch == U' ' && !expected.reverse && !expected.underline)
                expected.fg = -1;
            if (profile.colours < 16 && expected.bg >= 100) expected.bg -= 60;
            if (!profile.utf8 && eightBitShows(expected.ch, model.at(x, y).ch, latin1)) expected.ch = model.at(x, y).ch;
            ASSERT_EQ(model.at(x, y), expected) << "at column " << x << ", row " << y;
        }
    }
    const CellPos cursor{buffer.cursor().x - w.left, buffer.cursor().y - w.top};
    const bool cursorInside = cursor.x >= 0 && cursor.y >= 0 && cursor.x < model.columns() && cursor.y < model.rows() &&
                              cursor.x <= w.right - w.left && cursor.y <= w.bottom - w.top;
    EXPECT_EQ(model.cursorVisible(), buffer.currentCursorInfo().visible && cursorInside);
    if (cursorInside) {  // shown or hidden, where screen readers look for it
        EXPECT_EQ(model.cursorX(), cursor.x);
        EXPECT_EQ(model.cursorY(), cursor.y);
    }
    EXPECT_TRUE(model.unknown().empty()) << model.unknown().front();
    EXPECT_EQ(model.strayControls(), 0);
    EXPECT_EQ(model.scrolledLines(), 0);
}

void write(ScreenBuffer& buffer, CellPos at, std::string_view text, std::uint16_t attr) {
    std::vector<Cell> cells;
    for (unsigned char c : text) cells.push_back(Cell{c, attr});
    buffer.writeCells(at, static_cast<int>(cells.size()), 1, cells.data());
}

// Renders `buffer` for a terminal of `terminal` size and feeds the model
// (and a second one, as a terminal without REP).
std::string paint(TerminalRenderer& renderer, const ScreenBuffer& buffer, VtModel& model,
                  VtModel* withoutRepeat = nullptr) {
    const std::string bytes = renderer.render(captureFrame(buffer, {model.columns(), model.rows()}));
    model.feed(bytes);
    if (withoutRepeat != nullptr) withoutRepeat->feed(bytes);
    return bytes;
}

TEST(TerminalColours, WindowsColourNumbersMapToAnsiWithRedAndBlueSwapped) {
    for (int colour = 0; colour < 16; ++colour) {
        EXPECT_EQ(ansiForeground(static_cast<std::uint16_t>(colour)), kForeground[colour]) << colour;
        EXPECT_EQ(ansiBackground(static_cast<std::uint16_t>(colour << 4)), kForeground[colour] + 10) << colour;
    }
    // The attribute of the selection window, black on bright white.
    EXPECT_EQ(ansiForeground(0xF0), 30);
    EXPECT_EQ(ansiBackground(0xF0), 107);
    // Light red on bright white, light magenta on bright white.
    EXPECT_EQ(ansiForeground(0xFC), 91);
    EXPECT_EQ(ansiForeground(0xFD), 95);
    // Yellow on green.
    EXPECT_EQ(ansiForeground(0x2E), 93);
    EXPECT_EQ(ansiBackground(0x2E), 42);
}

TEST(TerminalRenderer, OneChangedCellSendsAMoveColoursAndItsGlyph) {
    MemoryConsoleHost buffer({10, 3});
    TerminalRenderer renderer;
    renderer.render(captureFrame(buffer, {10, 3}));

    const Cell x{'X', 0x1E};  // yellow on blue
    buffer.writeCells({4, 1}, 1, 1, &x);
    EXPECT_EQ(renderer.render(captureFrame(buffer, {10, 3})), "\x1b[2;5H\x1b[93;44mX\x1b[H");

    // The same colours again need no colour change; the cursor was moved back.
    const Cell y{'Y', 0x1E};
    buffer.writeCells({5, 1}, 1, 1, &y);
    EXPECT_EQ(renderer.render(captureFrame(buffer, {10, 3})), "\x1b[2;6HY\x1b[H");
}

TEST(TerminalRenderer, FirstFrameStartsFromACleanRenditionAndDrawsEveryCell) {
    MemoryConsoleHost buffer({3, 2});
    buffer.fillAttribute(0xF0, 6, {0, 0});
    write(buffer, {0, 0}, "ab", 0xF0);
    TerminalRenderer renderer;
    EXPECT_EQ(renderer.render(captureFrame(buffer, {3, 2})), "\x1b[H\x1b[0;30;107mab \033E   \x1b[H\x1b[?25h");
}

TEST(TerminalRenderer, AWholeFrameLeavesTheColoursOfMostOfItsCellsInForce) {
    MemoryConsoleHost buffer({10, 3});
    buffer.fillAttribute(0x70, 20, {0, 0});  // black on grey
    buffer.fillAttribute(0xF0, 10, {0, 2});  // the last row black on bright white
    TerminalRenderer renderer;
    EXPECT_TRUE(renderer.render(captureFrame(buffer, {10, 3})).ends_with("\x1b[H\x1b[47m\x1b[?25h"));

    // A change in those colours then needs no colour change.
    write(buffer, {4, 1}, "X", 0x70);
    EXPECT_EQ(renderer.render(captureFrame(buffer, {10, 3})), "\x1b[2;5HX\x1b[H");
}

TEST(TerminalRenderer, LongBlankRunsAreErasedAndRepeatedShortOnesWritten) {
    MemoryConsoleHost buffer({40, 2});
    buffer.fillAttribute(0x2E, 80, {0, 0});
    write(buffer, {10, 1}, "ab", 0x2E);
    TerminalRenderer renderer;
    VtModel model(40, 2);
    VtModel withoutRepeat(40, 2, false);
    EXPECT_EQ(paint(renderer, buffer, model, &withoutRepeat),
              "\x1b[H\x1b[0;93;42m\x1b[K \x1b[39b\033E" + std::string(10, ' ') + "ab\x1b[K \x1b[27b\x1b[H\x1b[?25h");
    expectModelShows(model, buffer);
    expectModelShows(withoutRepeat, buffer);
    EXPECT_EQ(withoutRepeat.at(39, 1).bg, 42);
}

TEST(TerminalRenderer, AMovedHighlightIsSentGroupedByColourWhenShorter) {
    MemoryConsoleHost buffer({40, 12});
    buffer.fillAttribute(0x70, 40 * 12, {0, 0});
    write(buffer, {2, 2}, "> [ ] NAME1 ", 0x1F);
    write(buffer, {2, 3}, "  [ ] NAME2 ", 0x70);
    write(buffer, {30, 11}, "1/2", 0x70);
    TerminalRenderer renderer;
    VtModel model(40, 12);
    paint(renderer, buffer, model);
    write(buffer, {2, 2}, "  [ ] NAME1 ", 0x70);
    write(buffer, {2, 3}, "> [ ] NAME2 ", 0x1F);
    write(buffer, {30, 11}, "2/2", 0x70);
    // The cursor was left at the top left: the grey row and the counter
    // first, in the colours in force, then the blue row.
    EXPECT_EQ(paint(renderer, buffer, model),
              "\x1b[3;3H  [ ] NAME1 \x1b[12;31H2\x1b[4;3H\x1b[97;44m> [ ] NAME2 \x1b[H");
    expectModelShows(model, buffer);

    // Hidden on a changed cell, with a change far below: DECSC, DECRC.
    buffer.setCursorInfo({25, false});
    buffer.setCursorPosition({5, 3});
    EXPECT_EQ(paint(renderer, buffer, model), "\x1b[?25l\x1b[4;6H");
    write(buffer, {5, 3}, "x", 0x1F);
    write(buffer, {28, 11}, "1", 0x70);
    EXPECT_EQ(paint(renderer, buffer, model), "\0337x\x1b[12;29H\x1b[30;47m1\0338");
    expectModelShows(model, buffer);
}

TEST(TerminalRenderer, NothingIsSentWhenNothingShownChanged) {
    MemoryConsoleHost buffer({20, 5});
    write(buffer, {2, 2}, "hello", 0x1F);
    TerminalRenderer renderer;
    EXPECT_FALSE(renderer.render(captureFrame(buffer, {20, 5})).empty());
    EXPECT_EQ(renderer.render(captureFrame(buffer, {20, 5})), "");
    // Neither the text attribute nor a rewrite with the same cells shows.
    buffer.setTextAttribute(0x4E);
    write(buffer, {2, 2}, "hello", 0x1F);
    EXPECT_EQ(renderer.render(captureFrame(buffer, {20, 5})), "");
}

TEST(TerminalRenderer, ControlBytesShowAsTheirCodePage437Glyphs) {
    MemoryConsoleHost buffer({32, 2});
    std::string low;
    for (int b = 0; b < 32; ++b) low += static_cast<char>(b);
    write(buffer, {0, 0}, low, 0x07);
    write(buffer, {0, 1}, "\x7f\x80\xb0\xc9\xe1\xfe\xff\x1b[2J\x9b", 0x07);
    VtModel model(32, 2);
    TerminalRenderer renderer;
    const std::string bytes = paint(renderer, buffer, model);

    EXPECT_EQ(model.row(0), U" ☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼");
    EXPECT_EQ(model.row(1).substr(0, 12), U"⌂Ç°Éáþÿ←[2J¢");
    EXPECT_EQ(model.strayControls(), 0);
    EXPECT_TRUE(model.unknown().empty());
    // The escape byte in a cell never reaches the terminal as one.
    EXPECT_EQ(bytes.find("\x1b[2J"), std::string::npos);
    EXPECT_NE(bytes.find("\xe2\x86\x90[2J"), std::string::npos);  // "←[2J"
}

// The terminal console's decoding of text: UTF-8 characters whole, and
// the code page 437 glyph of every byte that is no UTF-8, is a control or
// would take no column of its own.
TEST(ConsoleChars, Utf8CharactersAndTheGlyphsOfEverythingElse) {
    struct Row {
        std::string text;
        std::u32string chars;
        std::vector<int> columns;
    };
    const Row rows[] = {
        {"\xC3\x84RGER", U"ÄRGER", {1, 1, 1, 1, 1}},
        {"\xE4\xB8\xAD\xEF\xBC\xA1", U"中Ａ", {2, 2}},             // CJK and fullwidth: two columns
        {"\xF0\x9F\x98\x80!", U"😀!", {2, 1}},                      // an emoji
        {"\x84rger", U"ärger", {1, 1, 1, 1, 1}},                   // a lone byte: its glyph
        {"\xC3", U"├", {1}},                                       // a cut character
        {"\xC0\xAF\xED\xA0\x80", U"└»φáÇ", {1, 1, 1, 1, 1}},       // overlong, surrogate
        {"a\x1b[2J\x01", U"a←[2J☺", {1, 1, 1, 1, 1, 1}},           // C0 controls
        {"\xC2\x9B", U"┬¢", {1, 1}},                               // a C1 control
        {"e\xCC\x81\xE2\x80\xAE", U"e╠üΓÇ«", {1, 1, 1, 1, 1, 1}},  // combining mark, bidi override
        {"\xDC\x90\xDD\x82", U"ܐ▌é", {1, 1, 1}},                   // a Syriac letter and its vowel mark
        {"\xE1\x84\x80\xE1\x85\xA1", U"ᄀßàí", {2, 1, 1, 1}},      // Hangul jamo: the vowel joins
    };
    for (const Row& row : rows) {
        std::u32string chars;
        std::vector<int> columns;
        std::size_t next = 0;
        for (const ConsoleChar& c : consoleChars(row.text)) {
            EXPECT_EQ(c.offset, next) << row.text;
            next = c.offset + c.length;
            chars += c.ch;
            columns.push_back(c.columns);
        }
        EXPECT_EQ(next, row.text.size()) << row.text;
        EXPECT_EQ(chars, row.chars) << row.text;
        EXPECT_EQ(columns, row.columns) << row.text;
    }
    // A frame's line bytes one by one: their glyphs, though "\xC4\xBF" together is UTF-8.
    EXPECT_EQ(glyphCharOf(0xC4), U'─');
    EXPECT_EQ(glyphCharOf(0xBF), U'┐');
    EXPECT_EQ(glyphCharOf('+'), U'+');
}

TEST(Cp437, NoGlyphIsAControlCharacter) {
    for (int b = 0; b < 256; ++b) {
        const std::string_view glyph = cp437Glyph(static_cast<unsigned char>(b));
        ASSERT_FALSE(glyph.empty());
        for (unsigned char c : glyph) EXPECT_FALSE(c < 0x20 || c == 0x7F) << "byte " << b;
        const char32_t code = cp437CodePoint(static_cast<unsigned char>(b));
        EXPECT_FALSE(code >= 0x80 && code <= 0x9F) << "byte " << b;  // C1 controls
    }
    EXPECT_EQ(cp437Glyph(0x00), " ");
    EXPECT_EQ(cp437Glyph('A'), "A");
    EXPECT_EQ(cp437Glyph(0x01), "\xe2\x98\xba");  // ☺
    EXPECT_EQ(cp437Glyph(0x7F), "\xe2\x8c\x82");  // ⌂
    EXPECT_EQ(cp437Glyph(0xC4), "\xe2\x94\x80");  // ─
    EXPECT_EQ(cp437Glyph(0x82), "\xc3\xa9");      // é
}

TEST(TerminalRenderer, TitleGoesOutAsOsc2WithoutControlBytes) {
    MemoryConsoleHost buffer({10, 2});
    TerminalRenderer renderer;
    renderer.render(captureFrame(buffer, {10, 2}));
    buffer.setTitle("Select files for statistical detection");
    EXPECT_EQ(renderer.render(captureFrame(buffer, {10, 2})), "\x1b]2;Select files for statistical detection\a");
    buffer.setTitle("a\x1b]0;x\x07z");
    EXPECT_EQ(renderer.render(captureFrame(buffer, {10, 2})), "\x1b]2;a\xe2\x86\x90]0;x\xe2\x80\xa2z\a");
    EXPECT_EQ(renderer.render(captureFrame(buffer, {10, 2})), "");
}

TEST(TerminalRenderer, AnEmptyTitleLeavesTheTerminalsOwnAlone) {
    MemoryConsoleHost buffer({4, 1});
    TerminalRenderer renderer;
    EXPECT_EQ(renderer.render(captureFrame(buffer, {4, 1})).find("\x1b]"), std::string::npos);
}

TEST(TerminalRenderer, CursorVisibilityFollowsTheCursorInfo) {
    MemoryConsoleHost buffer({10, 3});
    TerminalRenderer renderer;
    renderer.render(captureFrame(buffer, {10, 3}));
    buffer.setCursorInfo({25, false});
    EXPECT_EQ(renderer.render(captureFrame(buffer, {10, 3})), "\x1b[?25l");
    buffer.setCursorPosition({3, 2});  // hidden, it still goes where screen readers look
    EXPECT_EQ(renderer.render(captureFrame(buffer, {10, 3})), "\x1b[3;4H");
    buffer.setCursorInfo({10, true});
    EXPECT_EQ(renderer.render(captureFrame(buffer, {10, 3})), "\x1b[?25h");
}

// Rectangles include their right column and bottom row: where two meet and
// whether a cell on an edge belongs are where a cell too many or too few hides.
TEST(CellRect, SharedCellsAndMembershipCountTheInclusiveEdges) {
    struct Shared {
        CellRect a;
        CellRect b;
        CellRect both;  // the cells in a and in b
        bool none;      // no cell is in both
    };
    const Shared shared[] = {
        {{0, 0, 9, 4}, {5, 2, 20, 20}, {5, 2, 9, 4}, false},  // overlapping corners
        {{0, 0, 9, 4}, {9, 4, 12, 8}, {9, 4, 9, 4}, false},   // corners meeting in one cell
        {{0, 0, 9, 4}, {10, 0, 12, 4}, {10, 0, 9, 4}, true},  // side by side
        {{0, 0, 9, 4}, {0, 5, 9, 9}, {0, 5, 9, 4}, true},     // one below the other
        {{0, 0, 9, 4}, CellRect{}, {0, 0, -1, -1}, true},     // an empty one
        {{2, 3, 2, 3}, {0, 0, 79, 24}, {2, 3, 2, 3}, false},  // a single cell inside
    };
    for (const Shared& row : shared) {
        SCOPED_TRACE(::testing::PrintToString(row.a) + " and " + ::testing::PrintToString(row.b));
        EXPECT_EQ(row.a.intersection(row.b), row.both);
        EXPECT_EQ(row.b.intersection(row.a), row.both);
        EXPECT_EQ(row.both.empty(), row.none);
    }

    const CellRect rect = CellRect::sized({3, 2}, 5, 4);
    EXPECT_EQ(rect, (CellRect{3, 2, 7, 5}));
    EXPECT_EQ(rect.width(), 5);
    EXPECT_EQ(rect.height(), 4);
    struct Member {
        CellPos pos;
        bool inside;
    };
    const Member members[] = {
        {{3, 2}, true},  {{7, 2}, true},  {{3, 5}, true},  {{7, 5}, true},  {{5, 3}, true},
        {{2, 2}, false}, {{8, 2}, false}, {{3, 1}, false}, {{7, 6}, false}, {{8, 6}, false},
    };
    for (const Member& row : members)
        EXPECT_EQ(rect.contains(row.pos), row.inside) << ::testing::PrintToString(row.pos);
    EXPECT_FALSE(CellRect{}.contains({0, 0}));
    EXPECT_FALSE(CellRect{}.contains({-1, -1}));
    // Row by row from the top left: the last cell of a row, then the first of the next.
    EXPECT_EQ(rect.indexOf({3, 2}), 0u);
    EXPECT_EQ(rect.indexOf({7, 2}), 4u);
    EXPECT_EQ(rect.indexOf({3, 3}), 5u);
    EXPECT_EQ(rect.indexOf({7, 5}), 19u);
}

TEST(TerminalRenderer, ClipsTheWindowToASmallerTerminal) {
    MemoryConsoleHost buffer({80, 25});
    for (int y = 0; y < 25; ++y) {
        std::string row;
        for (int x = 0; x < 80; ++x) row += static_cast<char>('A' + (x + y) % 26);
        write(buffer, {0, y}, row, static_cast<std::uint16_t>(0x10 + y % 15));
    }
    buffer.setCursorPosition({50, 20});  // outside what the terminal shows
    VtModel model(40, 10);
    TerminalRenderer renderer;
    paint(renderer, buffer, model);
    expectModelShows(model, buffer);
    EXPECT_FALSE(model.cursorVisible());

    // A change outside sends nothing; one inside is drawn.
    write(buffer, {60, 3}, "zz", 0x07);
    write(buffer, {0, 15}, "zz", 0x07);
    EXPECT_EQ(paint(renderer, buffer, model), "");
    write(buffer, {39, 9}, "z", 0x4F);
    // The last row was drawn to its end: the cursor is still on it.
    EXPECT_EQ(paint(renderer, buffer, model), "\x1b[40G\x1b[97;41mz");
    expectModelShows(model, buffer);
}

TEST(TerminalRenderer, AWindowSmallerThanTheTerminalLeavesTheRestBlank) {
    MemoryConsoleHost buffer({30, 12});
    buffer.fillAttribute(0x2E, 30 * 12, {0, 0});
    write(buffer, {0, 11}, "bottom row of the large window", 0x2E);
    VtModel model(40, 15);
    TerminalRenderer renderer;
    paint(renderer, buffer, model);
    expectModelShows(model, buffer);

    // The window shrinks: what it no longer covers is erased.
    buffer.setWindow({0, 0, 19, 7});
    paint(renderer, buffer, model);
    expectModelShows(model, buffer);

    // And scrolls: the window's top row is now row 4 of the buffer.
    buffer.setWindow({5, 4, 24, 11});
    paint(renderer, buffer, model);
    expectModelShows(model, buffer);
}

TEST(TerminalRenderer, ReverseVideoAndUnderscoreComeAndGo) {
    MemoryConsoleHost buffer({6, 1});
    write(buffer, {0, 0}, "ab", 0x4007);
    write(buffer, {2, 0}, "cd", 0x8007);
    write(buffer, {4, 0}, "ef", 0x0007);
    VtModel model(6, 1);
    TerminalRenderer renderer;
    paint(renderer, buffer, model);
    expectModelShows(model, buffer);
    // Attribute bits a terminal cannot show change nothing.
    write(buffer, {4, 0}, "ef", 0x0407);
    EXPECT_EQ(paint(renderer, buffer, model), "");
}

// A double-width character goes out once for its two cells; a half whose
// other half was overwritten shows as a blank, and a change of either half
// draws the character again.
TEST(TerminalRenderer, DoubleWidthCharactersTakeTwoCellsAndGoOutOnce) {
    MemoryConsoleHost buffer({10, 2});
    const Cell wide[] = {{U'中', 0x0107}, {U'中', 0x0207}, {U'x', 0x07}, {U'文', 0x0107}, {U'文', 0x0207}};
    buffer.writeCells({1, 0}, 5, 1, wide);
    VtModel model(10, 2);
    TerminalRenderer renderer;
    const std::string bytes = paint(renderer, buffer, model);
    EXPECT_EQ(model.row(0).substr(0, 7),
              std::u32string(U" 中") + VtModel::kSecondHalf + U"x文" + VtModel::kSecondHalf + U" ");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\xE4'), 1);  // 中 (E4 B8 AD) once
    EXPECT_TRUE(model.unknown().empty());

    // The trailing half of 中 overwritten: its leading half shows a blank.
    const Cell y{U'y', 0x07};
    buffer.writeCells({2, 0}, 1, 1, &y);
    paint(renderer, buffer, model);
    EXPECT_EQ(model.row(0).substr(0, 4), U"  yx");
    // 文 put back whole over two other cells.
    buffer.writeCells({1, 0}, 2, 1, &wide[3]);
    paint(renderer, buffer, model);
    EXPECT_EQ(model.row(0).substr(0, 4), std::u32string(U" 文") + VtModel::kSecondHalf + U"x");
    // A leading half at the frame's edge has no room for its other half.
    buffer.writeCells({9, 1}, 1, 1, &wide[0]);
    paint(renderer, buffer, model);
    EXPECT_EQ(model.at(9, 1).ch, U' ');
    EXPECT_EQ(model.strayControls(), 0);
}

TEST(TerminalRenderer, AfterInvalidateEverythingIsDrawnAgain) {
    MemoryConsoleHost buffer({12, 4});
    write(buffer, {1, 1}, "keep", 0x1E);
    buffer.setTitle("T");
    TerminalRenderer renderer;
    VtModel first(12, 4);
    paint(renderer, buffer, first);

    // Another program drew over the terminal.
    VtModel model(12, 4);
    model.feed("\x1b[31;44mgarbage everywhere\x1b[3;3Hmore");
    renderer.invalidate();
    paint(renderer, buffer, model);
    expectModelShows(model, buffer);
    EXPECT_EQ(model.title(), "T");
}

TEST(TerminalRenderer, PenAndCursorSetsTheTextColoursForAChild) {
    MemoryConsoleHost buffer({10, 3});
    TerminalRenderer renderer;
    renderer.render(captureFrame(buffer, {10, 3}));
    EXPECT_EQ(renderer.penAndCursor(0xFD, CellPos{0, 2}), "\x1b[0;95;107m\x1b[3H");
    EXPECT_EQ(renderer.penAndCursor(0xFD, CellPos{0, 2}), "\x1b[0;95;107m\x1b[3H");
    EXPECT_EQ(renderer.penAndCursor(0x07, std::nullopt), "\x1b[0;37;40m");
}

// The terminals tried: what each declares (the Linux console's `acsc`), and the model terminal that behaves so.
// clang-format off
struct Profile { const char* name; TerminalProfile declared; VtProfile model; };
constexpr const char* kAcsc = "++,,--..00``aaffgghhiijjkkllmmnnooppqqrrssttuuvvwwxxyyzz{{||}}~~";
const Profile kProfiles[] = {
    {"xterm", {}, {}},
    {"screen", {false, false, false, 8, "", "", "", "", ""}, {false, false, true, 8}},
    {"linux", {true, true, false, 8, "", "", "", "", ""}, {false, true, true, 8}},
    {"latin1", {true, true, true, 16, "ISO-8859-1", "\x0e", "\x0f", "\x1b)0", kAcsc}, {true, true, false, 16}},
    {"ascii_linux", {true, true, false, 8, "ANSI_X3.4-1968", "", "", "", ""}, {false, true, false, 8}},
};
// clang-format on

// Random operations on a buffer, each followed by a render: the model terminal of each profile shows the
// buffer's window after every one (and, for xterm's bytes, so does a terminal that ignores REP).
class RendererRandomOperations : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(RendererRandomOperations, TheTerminalAlwaysShowsTheWindow) {
    const auto [seed, which] = GetParam();
    const Profile& profile = kProfiles[which];
    std::mt19937 random(static_cast<unsigned>(seed));
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const CellPos terminal{30 + pick(20), 8 + pick(10)};
    MemoryConsoleHost buffer({40, 20});
    VtModel model(terminal.x, terminal.y, profile.model);
    VtModel plain(terminal.x, terminal.y, false);
    TerminalRenderer renderer(profile.declared);
    for (int step = 0; step < 300; ++step) {
        const std::uint16_t attr = static_cast<std::uint16_t>(pick(256) | (pick(8) == 0 ? 0x4000 : 0));
        switch (pick(8)) {
            case 0: {
                std::string text;
                for (int i = pick(50); i > 0; --i) text += static_cast<char>(pick(256));
                write(buffer, {pick(40), pick(20)}, text, attr);
                break;
            }
            case 1: buffer.fillCharacter(static_cast<unsigned char>(pick(256)), pick(200), {pick(40), pick(20)}); break;
            case 2: buffer.fillAttribute(attr, pick(400), {pick(40), pick(20)}); break;
            case 3: buffer.scroll({0, 1, 39, 19}, {0, 0}, Cell{' ', attr}); break;
            case 4: buffer.setCursorPosition({pick(40), pick(20)}); break;
            case 5: buffer.setCursorInfo({25, pick(3) != 0}); break;
            case 6: {
                const int left = pick(10), top = pick(6);
                buffer.setWindow({left, top, left + 10 + pick(30 - left), top + 5 + pick(14 - top)});
                break;
            }
            case 7:
                if (pick(4) == 0) {
                    renderer.invalidate();
                    model.feed("\x1b[0m\x1b[Hsomeone else's text\x1b[5;7Hhere");
                    plain.feed("\x1b[0m\x1b[Hsomeone else's text\x1b[5;7Hhere");
                }
                break;
        }
        paint(renderer, buffer, model, &plain);
        expectModelShows(model, buffer, profile.model, profile.declared.charset == "ISO-8859-1");
        if (which == 0) expectModelShows(plain, buffer);
        if (::testing::Test::HasFatalFailure()) FAIL() << "after step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RendererRandomOperations,
                         ::testing::Combine(::testing::Range(1, 21), ::testing::Range(0, 5)));

}  // namespace
}  // namespace corrivex::platform
