// The Windows console host on a console of the test's own: the standard
// handles are pointed at it before the host is first used.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "cell_printers.h"
#include "platform/console_host_win32.h"
#include "platform/console_text.h"

namespace corrivex::platform {
namespace {

// Standard output and error redirected as `corrivex.exe >out.txt 2>&1` has
// them: the host draws on the console itself.
bool redirectOutput() {
    const HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return SetStdHandle(STD_OUTPUT_HANDLE, nul) && SetStdHandle(STD_ERROR_HANDLE, nul);
}

// Gives the process a console and makes it the one of standard input.
// GoogleTest's own output keeps going where the C runtime's stdout went.
bool haveConsole() {
    static const bool ready = [] {
        DWORD mode = 0;
        if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) &&
            GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode))
            return true;
        if (GetConsoleWindow() == nullptr && !AllocConsole()) return false;
        const HANDLE out = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
        const HANDLE in = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
        if (out == INVALID_HANDLE_VALUE || in == INVALID_HANDLE_VALUE) return false;
        SetStdHandle(STD_OUTPUT_HANDLE, out);
        SetStdHandle(STD_INPUT_HANDLE, in);
        return GetConsoleMode(out, &mode) != 0;
    }() && redirectOutput();
    return ready;
}

HANDLE consoleOutput() {
    static const HANDLE out = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
    return out;
}

class Win32ConsoleHost : public ::testing::Test {
protected:
    void SetUp() override {
        if (!haveConsole()) GTEST_SKIP() << "no console can be had here";
        host().setBufferSize({40, 12});
        host().setWindow({0, 0, 39, 11});
        host().setBufferSize({40, 12});
        host().fillCharacter(' ', 40 * 12, {0, 0});
        host().fillAttribute(0x07, 40 * 12, {0, 0});
        FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE));
    }
    static ConsoleHost& host() {
        static const std::unique_ptr<ConsoleHost> windowsConsole = makeWindowsConsoleHost();
        return *windowsConsole;
    }

    static Cell cellAt(int x, int y) {
        Cell cell;
        host().readCells({x, y}, 1, 1, &cell);
        return cell;
    }

    static void push(const INPUT_RECORD& record) {
        DWORD written = 0;
        ASSERT_TRUE(WriteConsoleInputW(GetStdHandle(STD_INPUT_HANDLE), &record, 1, &written));
        ASSERT_EQ(written, 1u);
    }
};

TEST_F(Win32ConsoleHost, ReportsBufferSizeAndOutput) {
    EXPECT_TRUE(host().hasOutput());
    ScreenBufferInfo info;
    ASSERT_TRUE(host().screenBufferInfo(info));
    EXPECT_EQ(info.size, (CellPos{40, 12}));
    EXPECT_EQ(info.window, (CellRect{0, 0, 39, 11}));
}

// The host draws on standard output where that is a console, else on standard error, else on the active buffer.
TEST_F(Win32ConsoleHost, DrawsOnTheFirstStandardOutputThatIsAConsole) {
    const HANDLE nul = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE other = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    for (const auto& [console, out, err, drawnOn] :
         {std::tuple{"output", other, nul, other}, std::tuple{"error", nul, other, other},
          std::tuple{"neither", nul, nul, consoleOutput()}}) {
        SetStdHandle(STD_OUTPUT_HANDLE, out);
        SetStdHandle(STD_ERROR_HANDLE, err);
        const std::unique_ptr<ConsoleHost> made = makeWindowsConsoleHost();
        SetStdHandle(STD_OUTPUT_HANDLE, nul);
        SetStdHandle(STD_ERROR_HANDLE, nul);
        const Cell cell{'Z', 0x2E};
        made->writeCells({1, 1}, 1, 1, &cell);
        for (const HANDLE buffer : {other, consoleOutput()}) {
            char shown = 0;
            DWORD count = 0;
            ReadConsoleOutputCharacterA(buffer, &shown, 1, COORD{1, 1}, &count);
            EXPECT_EQ(shown == 'Z', buffer == drawnOn) << console;
            FillConsoleOutputCharacterA(buffer, ' ', 1, COORD{1, 1}, &count);
        }
    }
    CloseHandle(other);
}

TEST_F(Win32ConsoleHost, WritesAndReadsCellsUninterpreted) {
    const std::array<Cell, 6> cells{
        {{'A', 0x2E}, {'\t', 0xF0}, {'\r', 0xFD}, {'\n', 0x1F}, {0xDB, 0x4E}, {0x00, 0x07}}};
    host().writeCells({5, 3}, 3, 2, cells.data());
    std::array<Cell, 6> back{};
    host().readCells({5, 3}, 3, 2, back.data());
    EXPECT_EQ(back, cells);
    // Nothing beside the block changed.
    EXPECT_EQ(cellAt(4, 3), (Cell{' ', 0x07}));
    EXPECT_EQ(cellAt(8, 4), (Cell{' ', 0x07}));
}

TEST_F(Win32ConsoleHost, ClipsBlocksAtTheBufferEdges) {
    // A 3 x 2 block whose top left cell lies outside: only its bottom right
    // 2 x 1 part lands, at the buffer's corner.
    const std::array<Cell, 6> cells{{{'a', 0x11}, {'b', 0x12}, {'c', 0x13}, {'d', 0x14}, {'e', 0x15}, {'f', 0x16}}};
    host().writeCells({-1, -1}, 3, 2, cells.data());
    EXPECT_EQ(cellAt(0, 0), (Cell{'e', 0x15}));
    EXPECT_EQ(cellAt(1, 0), (Cell{'f', 0x16}));
    host().writeCells({39, 11}, 3, 2, cells.data());
    EXPECT_EQ(cellAt(39, 11), (Cell{'a', 0x11}));

    // Reading across the edge: what lies outside reads as blanks in 0x07.
    std::array<Cell, 4> back{};
    host().readCells({38, 11}, 2, 2, back.data());
    EXPECT_EQ(back[0], (Cell{' ', 0x07}));
    EXPECT_EQ(back[1], (Cell{'a', 0x11}));
    EXPECT_EQ(back[2], (Cell{' ', 0x07}));
    EXPECT_EQ(back[3], (Cell{' ', 0x07}));
}

TEST_F(Win32ConsoleHost, WritesLargeBlocksWhole) {
    host().setBufferSize({200, 100});
    std::vector<Cell> cells(200 * 100);
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = Cell{static_cast<unsigned char>('A' + i % 26), static_cast<std::uint16_t>(i % 256)};
    host().writeCells({0, 0}, 200, 100, cells.data());
    std::vector<Cell> back(cells.size());
    host().readCells({0, 0}, 200, 100, back.data());
    EXPECT_EQ(back, cells);
}

TEST_F(Win32ConsoleHost, FillsRunOnToNextRows) {
    host().fillCharacter('#', 45, {38, 1});
    host().fillAttribute(0xF0, 45, {38, 1});
    EXPECT_EQ(cellAt(37, 1), (Cell{' ', 0x07}));
    EXPECT_EQ(cellAt(38, 1), (Cell{'#', 0xF0}));
    // 2 cells on row 1, the 40 of row 2, 3 on row 3.
    EXPECT_EQ(cellAt(0, 2), (Cell{'#', 0xF0}));
    EXPECT_EQ(cellAt(39, 2), (Cell{'#', 0xF0}));
    EXPECT_EQ(cellAt(2, 3), (Cell{'#', 0xF0}));
    EXPECT_EQ(cellAt(3, 3), (Cell{' ', 0x07}));
}

TEST_F(Win32ConsoleHost, ScrollsAndFills) {
    const Cell top{'T', 0x2E};
    const Cell below{'B', 0x1F};
    host().writeCells({0, 0}, 1, 1, &top);
    host().writeCells({0, 1}, 1, 1, &below);
    host().scroll({0, 1, 39, 11}, {0, 0}, Cell{' ', 0xF0});
    EXPECT_EQ(cellAt(0, 0), below);
    EXPECT_EQ(cellAt(0, 11), (Cell{' ', 0xF0}));
}

TEST_F(Win32ConsoleHost, CursorAttributeAndTitle) {
    host().setCursorPosition({7, 4});
    host().setTextAttribute(0xFD);
    ScreenBufferInfo info;
    ASSERT_TRUE(host().screenBufferInfo(info));
    EXPECT_EQ(info.cursor, (CellPos{7, 4}));
    EXPECT_EQ(info.attributes, 0xFD);

    host().setCursorInfo({10, false});
    CursorInfo cursor;
    ASSERT_TRUE(host().cursorInfo(cursor));
    EXPECT_EQ(cursor.size, 10u);
    EXPECT_FALSE(cursor.visible);
    host().setCursorInfo({25, true});

    host().setTitle("Select files for statistical detection");
    char title[128] = {};
    GetConsoleTitleA(title, sizeof title);
    EXPECT_STREQ(title, "Select files for statistical detection");
}

TEST_F(Win32ConsoleHost, ModesRoundTrip) {
    host().setInputMode(mode::kMouseInput);
    std::uint32_t in = 0;
    ASSERT_TRUE(host().inputMode(in));
    EXPECT_EQ(in & (mode::kMouseInput | mode::kLineInput | mode::kEchoInput | mode::kProcessedInput),
              mode::kMouseInput);
    host().setOutputMode(mode::kProcessedOutput | mode::kWrapAtEolOutput);
    std::uint32_t out = 0;
    ASSERT_TRUE(host().outputMode(out));
    EXPECT_EQ(out & 0x3u, mode::kProcessedOutput | mode::kWrapAtEolOutput);
}

TEST_F(Win32ConsoleHost, TranslatesKeyEvents) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = TRUE;
    record.Event.KeyEvent.wRepeatCount = 2;
    record.Event.KeyEvent.wVirtualKeyCode = VK_DOWN;
    record.Event.KeyEvent.uChar.UnicodeChar = 0;
    record.Event.KeyEvent.dwControlKeyState = LEFT_CTRL_PRESSED | ENHANCED_KEY | NUMLOCK_ON;
    push(record);
    record.Event.KeyEvent.bKeyDown = FALSE;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = 'A';
    record.Event.KeyEvent.uChar.UnicodeChar = 0x0442;  // in no console code page of a German system
    record.Event.KeyEvent.dwControlKeyState = SHIFT_PRESSED | CAPSLOCK_ON;
    push(record);
    // A character beyond U+FFFF comes as its two surrogates.
    record.Event.KeyEvent.bKeyDown = TRUE;
    record.Event.KeyEvent.wVirtualKeyCode = 0;
    record.Event.KeyEvent.dwControlKeyState = 0;
    record.Event.KeyEvent.uChar.UnicodeChar = 0xD840;
    push(record);
    record.Event.KeyEvent.uChar.UnicodeChar = 0xDC0B;
    push(record);

    InputEvent event;
    ASSERT_TRUE(host().readInput(event));
    EXPECT_EQ(event.kind, InputEvent::Kind::Key);
    EXPECT_TRUE(event.key.down);
    EXPECT_EQ(event.key.repeat, 2);
    EXPECT_EQ(event.key.virtualKey, vk::kDown);
    EXPECT_EQ(event.key.ch, 0);
    EXPECT_EQ(event.key.modifiers, modifier::kLeftCtrl | modifier::kEnhancedKey);

    ASSERT_TRUE(host().readInput(event));
    EXPECT_FALSE(event.key.down);
    EXPECT_EQ(event.key.virtualKey, 'A');
    EXPECT_EQ(event.key.ch, U'\u0442');
    EXPECT_EQ(event.key.modifiers, modifier::kShift);
    ASSERT_TRUE(host().readInput(event));
    EXPECT_EQ(event.key.ch, 0);
    ASSERT_TRUE(host().readInput(event));
    EXPECT_EQ(event.key.ch, U'\U0002000B');
}

TEST_F(Win32ConsoleHost, TranslatesMouseAndResizeEvents) {
    // Windows puts resize events in the input only in window-aware mode.
    host().setInputMode(mode::kWindowInput | mode::kMouseInput);
    INPUT_RECORD record{};
    record.EventType = MOUSE_EVENT;
    record.Event.MouseEvent.dwMousePosition = COORD{12, 5};
    record.Event.MouseEvent.dwButtonState = FROM_LEFT_1ST_BUTTON_PRESSED;
    record.Event.MouseEvent.dwControlKeyState = RIGHT_CTRL_PRESSED;
    record.Event.MouseEvent.dwEventFlags = DOUBLE_CLICK;
    push(record);
    record.Event.MouseEvent.dwButtonState = static_cast<DWORD>(static_cast<WORD>(-120)) << 16;
    record.Event.MouseEvent.dwControlKeyState = 0;
    record.Event.MouseEvent.dwEventFlags = MOUSE_WHEELED;
    push(record);
    INPUT_RECORD resize{};
    resize.EventType = WINDOW_BUFFER_SIZE_EVENT;
    resize.Event.WindowBufferSizeEvent.dwSize = COORD{80, 30};
    push(resize);
    INPUT_RECORD focus{};
    focus.EventType = FOCUS_EVENT;
    focus.Event.FocusEvent.bSetFocus = TRUE;
    push(focus);

    InputEvent event;
    ASSERT_TRUE(host().readInput(event));
    EXPECT_EQ(event.kind, InputEvent::Kind::Mouse);
    EXPECT_EQ(event.mouse.pos, (CellPos{12, 5}));
    EXPECT_EQ(event.mouse.buttons, mouse::kLeftButton);
    EXPECT_EQ(event.mouse.modifiers, modifier::kRightCtrl);
    EXPECT_EQ(event.mouse.flags, mouse::kDoubleClick);

    ASSERT_TRUE(host().readInput(event));
    EXPECT_EQ(event.kind, InputEvent::Kind::Mouse);
    EXPECT_EQ(event.mouse.flags, mouse::kWheeled);
    EXPECT_EQ(event.mouse.wheelDelta, -120);
    EXPECT_EQ(event.mouse.buttons, 0u);

    ASSERT_TRUE(host().readInput(event));
    EXPECT_EQ(event.kind, InputEvent::Kind::Resize);
    EXPECT_EQ(event.newSize, (CellPos{80, 30}));

    ASSERT_TRUE(host().readInput(event));
    EXPECT_EQ(event.kind, InputEvent::Kind::Other);
}

// Frames and texts show the same in every output code page (932 on Japanese systems, 65001 with "Use Unicode
// UTF-8"), also once read back and written again, as a dialog does with the cells it covers. A double-width
// character is held in both its cells, with the leading and the trailing mark.
TEST_F(Win32ConsoleHost, CellsShowTheSameInEveryCodePage) {
    const UINT start = GetConsoleOutputCP();
    // clang-format off
    const std::array<Cell, 5> written{{{glyphCharOf(0xDA), 0x1F}, {U'\u00FC', 0x1F}, {U'\u30C6', 0x1F | kLeadingHalf},
                                       {U'\u30C6', 0x1F | kTrailingHalf}, {glyphCharOf(0xCD), 0x1F}}};
    // clang-format on
    for (const UINT codePage : {437u, 850u, 866u, 932u, 65001u}) {
        ASSERT_TRUE(SetConsoleOutputCP(codePage)) << codePage;
        std::array<Cell, 5> cells = written;
        host().writeCells({2, 1}, 5, 1, cells.data());
        host().readCells({2, 1}, 5, 1, cells.data());
        EXPECT_EQ(cells, written) << codePage;
        host().writeCells({2, 1}, 5, 1, cells.data());
        std::array<CHAR_INFO, 5> shown{};
        SMALL_RECT region{2, 1, 6, 1};
        ASSERT_TRUE(ReadConsoleOutputW(consoleOutput(), shown.data(), COORD{5, 1}, COORD{0, 0}, &region));
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].Char.UnicodeChar, written[i].ch) << codePage << " cell " << i;
            EXPECT_EQ(shown[i].Attributes, written[i].attr) << codePage << " cell " << i;
        }
    }
    SetConsoleOutputCP(start);
}

}  // namespace
}  // namespace corrivex::platform
