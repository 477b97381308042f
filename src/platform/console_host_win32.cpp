// The console host on Windows: every operation is the console call of the
// same name, on the console of the standard handles.
//
// The output handle is standard output's when standard output is a console,
// otherwise standard error's, and when neither is, the console's own active
// screen buffer (CONOUT$), so that the screen is shown whatever the output
// is redirected to; the input handle is standard input's. Both are taken
// when the host is first used, with the console modes found then: a child
// (the editor, the engine) gets those modes back while it runs. Nothing else
// is kept, so every copy of this host in the process (the program's and
// CT_PRO.DLL's) works on the same console.
//
// Cells hold Unicode characters and go out and come back through the ...W
// calls, so that they show the same in every code page; the two cells of a
// double-width character carry COMMON_LVB_LEADING_BYTE and _TRAILING_BYTE,
// the form in which conhost itself keeps them. Keys come in as Unicode
// characters too (ReadConsoleInputW). The code pages are never changed.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/console_host_win32.h"
#include "platform/pseudo_console_win32.h"

namespace corrivex::platform {
namespace {

// The largest block passed to one WriteConsoleOutputW / ReadConsoleOutputW
// call: older consoles refuse blocks of more than 64 KB.
constexpr int kMaxCellsPerCall = 8000;

// The modifier flags that the ConsoleHost interface defines.
constexpr DWORD kModifierMask =
    RIGHT_ALT_PRESSED | LEFT_ALT_PRESSED | RIGHT_CTRL_PRESSED | LEFT_CTRL_PRESSED | SHIFT_PRESSED | ENHANCED_KEY;

COORD coord(CellPos p) { return COORD{static_cast<SHORT>(p.x), static_cast<SHORT>(p.y)}; }
CellPos cellPos(COORD c) { return CellPos{c.X, c.Y}; }
SMALL_RECT smallRect(CellRect r) {
    return SMALL_RECT{static_cast<SHORT>(r.left), static_cast<SHORT>(r.top), static_cast<SHORT>(r.right),
                      static_cast<SHORT>(r.bottom)};
}
CellRect cellRect(SMALL_RECT r) { return CellRect{r.Left, r.Top, r.Right, r.Bottom}; }

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// What a cell holds as a console cell: a character of the Basic Multilingual
// Plane (one UTF-16 unit); one beyond it, which a CHAR_INFO cannot hold,
// as U+FFFD.
CHAR_INFO charInfo(const Cell& cell) {
    CHAR_INFO info{};
    info.Char.UnicodeChar = static_cast<WCHAR>(cell.ch <= 0xFFFF ? cell.ch : 0xFFFD);
    info.Attributes = cell.attr;
    return info;
}

class Win32ConsoleHost final : public ConsoleHost {
public:
    Win32ConsoleHost() {
        const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
        if (isConsole(out)) {
            output_ = out;
        } else if (isConsole(err)) {
            output_ = err;
        } else {
            // Kept open for the life of the process; not inherited, so a
            // child's output still goes where standard output points.
            output_ = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        }
        hasOutput_ = isConsole(output_);
        input_ = GetStdHandle(STD_INPUT_HANDLE);
        startModes_ = modesNow();
        sizedByTerminal_ = isPseudoConsoleWindow(GetConsoleWindow());
    }

    bool hasOutput() const override { return hasOutput_; }
    bool sizedByTerminal() const override { return sizedByTerminal_; }

    bool screenBufferInfo(ScreenBufferInfo& info) override {
        CONSOLE_SCREEN_BUFFER_INFO csbi{};
        if (!GetConsoleScreenBufferInfo(output_, &csbi)) return false;
        info.size = cellPos(csbi.dwSize);
        info.cursor = cellPos(csbi.dwCursorPosition);
        info.attributes = csbi.wAttributes;
        info.window = cellRect(csbi.srWindow);
        return true;
    }

    void setBufferSize(CellPos size) override { SetConsoleScreenBufferSize(output_, coord(size)); }

    void setWindow(CellRect window) override {
        const SMALL_RECT rect = smallRect(window);
        SetConsoleWindowInfo(output_, TRUE, &rect);
    }

    // One WriteConsoleOutputW for each band of the block.
    void writeCells(CellPos at, int width, int height, const Cell* cells) override {
        const CellRect whole = CellRect::sized(at, width, height);
        std::vector<CHAR_INFO> block;
        forEachBlock(at, width, height, [&](CellRect part, SMALL_RECT& region, COORD blockSize) {
            block.clear();
            for (int y = part.top; y <= part.bottom; ++y)
                for (int x = part.left; x <= part.right; ++x) block.push_back(charInfo(cells[whole.indexOf({x, y})]));
            WriteConsoleOutputW(output_, block.data(), blockSize, COORD{0, 0}, &region);
        });
    }

    // Each cell as the Unicode character it shows, the halves of a
    // double-width character with their marks, so that writing the cells
    // back shows what they showed.
    void readCells(CellPos at, int width, int height, Cell* cells) override {
        if (width <= 0 || height <= 0) return;
        std::fill(cells, cells + static_cast<std::size_t>(width) * static_cast<std::size_t>(height), Cell{' ', 0x07});
        const CellRect whole = CellRect::sized(at, width, height);
        std::vector<CHAR_INFO> block;
        forEachBlock(at, width, height, [&](CellRect part, SMALL_RECT& region, COORD blockSize) {
            block.assign(static_cast<std::size_t>(blockSize.X) * static_cast<std::size_t>(blockSize.Y), CHAR_INFO{});
            if (!ReadConsoleOutputW(output_, block.data(), blockSize, COORD{0, 0}, &region)) return;
            for (int y = part.top; y <= part.bottom; ++y)
                for (int x = part.left; x <= part.right; ++x) {
                    const CHAR_INFO& info = block[part.indexOf({x, y})];
                    cells[whole.indexOf({x, y})] = Cell{info.Char.UnicodeChar, info.Attributes};
                }
        });
    }

    void fillCharacter(unsigned char ch, int count, CellPos start) override {
        if (count <= 0) return;
        DWORD written = 0;
        FillConsoleOutputCharacterA(output_, static_cast<CHAR>(ch), static_cast<DWORD>(count), coord(start), &written);
    }

    void fillAttribute(std::uint16_t attr, int count, CellPos start) override {
        if (count <= 0) return;
        DWORD written = 0;
        FillConsoleOutputAttribute(output_, attr, static_cast<DWORD>(count), coord(start), &written);
    }

    void scroll(CellRect source, CellPos destination, Cell fill) override {
        const SMALL_RECT rect = smallRect(source);
        const CHAR_INFO fillInfo = charInfo(fill);
        ScrollConsoleScreenBufferW(output_, &rect, nullptr, coord(destination), &fillInfo);
    }

    void setCursorPosition(CellPos pos) override { SetConsoleCursorPosition(output_, coord(pos)); }

    bool cursorInfo(CursorInfo& info) override {
        CONSOLE_CURSOR_INFO cci{};
        if (!GetConsoleCursorInfo(output_, &cci)) return false;
        info.size = cci.dwSize;
        info.visible = cci.bVisible != FALSE;
        return true;
    }

    void setCursorInfo(const CursorInfo& info) override {
        const CONSOLE_CURSOR_INFO cci{info.size, info.visible ? TRUE : FALSE};
        SetConsoleCursorInfo(output_, &cci);
    }

    void setTextAttribute(std::uint16_t attr) override { SetConsoleTextAttribute(output_, attr); }

    void setTitle(std::string_view title) override { SetConsoleTitleA(std::string(title).c_str()); }

    bool inputMode(std::uint32_t& mode) override { return modeOf(input_, mode); }
    void setInputMode(std::uint32_t mode) override { SetConsoleMode(input_, mode); }
    bool outputMode(std::uint32_t& mode) override { return modeOf(output_, mode); }
    void setOutputMode(std::uint32_t mode) override { SetConsoleMode(output_, mode); }

    // Blocks until an event comes; fails at once when standard input is no
    // console.
    bool readInput(InputEvent& event) override {
        INPUT_RECORD record{};
        DWORD read = 0;
        if (!ReadConsoleInputW(input_, &record, 1, &read) || read == 0) return false;
        event = translate(record);
        if (event.kind == InputEvent::Kind::Key) joinSurrogates(event.key);
        return true;
    }

    // A console program started from a console expects that console's usual
    // modes (line input with echo, processed input and output); it gets the
    // modes the console had when this process started, and the program's own
    // modes come back when it has ended.
    void beginChild() override {
        if (childRunning_) return;
        childRunning_ = true;
        ownModes_ = modesNow();
        setModes(startModes_);
    }

    void endChild() override {
        if (!childRunning_) return;
        childRunning_ = false;
        setModes(ownModes_);
    }

private:
    // The input and output modes; a handle that is no console has none.
    struct Modes {
        std::optional<std::uint32_t> input;
        std::optional<std::uint32_t> output;
    };

    Modes modesNow() const {
        Modes modes;
        std::uint32_t mode = 0;
        if (modeOf(input_, mode)) modes.input = mode;
        if (modeOf(output_, mode)) modes.output = mode;
        return modes;
    }

    void setModes(const Modes& modes) {
        if (modes.input) SetConsoleMode(input_, *modes.input);
        if (modes.output) SetConsoleMode(output_, *modes.output);
    }

    static bool modeOf(HANDLE handle, std::uint32_t& mode) {
        DWORD value = 0;
        if (!GetConsoleMode(handle, &value)) return false;
        mode = value;
        return true;
    }

    // Calls `each` for the part of a width x height block at `at` that lies
    // inside the buffer, in bands of rows small enough for one console call:
    // each(band, its SMALL_RECT, its size as a COORD).
    template <class Each>
    void forEachBlock(CellPos at, int width, int height, Each each) {
        CellRect part;
        if (!visiblePart(at, width, height, part)) return;
        const int rowsPerCall = std::max(1, kMaxCellsPerCall / part.width());
        for (int top = part.top; top <= part.bottom; top += rowsPerCall) {
            const CellRect band{part.left, top, part.right, std::min(part.bottom, top + rowsPerCall - 1)};
            SMALL_RECT region = smallRect(band);
            each(band, region, COORD{static_cast<SHORT>(band.width()), static_cast<SHORT>(band.height())});
        }
    }

    // The part of a block inside the current buffer; false when none is.
    bool visiblePart(CellPos at, int width, int height, CellRect& part) {
        if (width <= 0 || height <= 0) return false;
        CONSOLE_SCREEN_BUFFER_INFO csbi{};
        if (!GetConsoleScreenBufferInfo(output_, &csbi)) return false;
        const CellPos size = cellPos(csbi.dwSize);
        part = CellRect::sized(at, width, height).intersection(CellRect::sized({0, 0}, size.x, size.y));
        return !part.empty();
    }

    // A character beyond the Basic Multilingual Plane comes as two key
    // events, its high and its low surrogate: the first is held back and the
    // second gives the character. A lone surrogate is no character.
    void joinSurrogates(KeyInput& key) {
        const char32_t unit = key.ch;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (key.down) highSurrogate_ = unit;
            key.ch = 0;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            key.ch = highSurrogate_ != 0 ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00) : 0;
            if (key.down) highSurrogate_ = 0;
        } else if (key.down) {
            highSurrogate_ = 0;
        }
    }

    static InputEvent translate(const INPUT_RECORD& record) {
        InputEvent event;
        switch (record.EventType) {
            case KEY_EVENT: {
                const KEY_EVENT_RECORD& k = record.Event.KeyEvent;
                event.kind = InputEvent::Kind::Key;
                event.key.down = k.bKeyDown != FALSE;
                event.key.repeat = k.wRepeatCount;
                event.key.virtualKey = k.wVirtualKeyCode;
                event.key.ch = k.uChar.UnicodeChar;
                event.key.modifiers = k.dwControlKeyState & kModifierMask;
                break;
            }
            case MOUSE_EVENT: {
                const MOUSE_EVENT_RECORD& m = record.Event.MouseEvent;
                if (m.dwEventFlags & MOUSE_HWHEELED) break;  // no horizontal wheel in the interface
                event.kind = InputEvent::Kind::Mouse;
                event.mouse.pos = cellPos(m.dwMousePosition);
                event.mouse.buttons =
                    m.dwButtonState & (mouse::kLeftButton | mouse::kRightButton | mouse::kMiddleButton);
                event.mouse.modifiers = m.dwControlKeyState & kModifierMask;
                event.mouse.flags = m.dwEventFlags & (mouse::kMoved | mouse::kDoubleClick | mouse::kWheeled);
                if (m.dwEventFlags & MOUSE_WHEELED)
                    event.mouse.wheelDelta = static_cast<SHORT>(HIWORD(m.dwButtonState));
                break;
            }
            case WINDOW_BUFFER_SIZE_EVENT:
                event.kind = InputEvent::Kind::Resize;
                event.newSize = cellPos(record.Event.WindowBufferSizeEvent.dwSize);
                break;
            default: break;  // focus and menu events
        }
        return event;
    }

    HANDLE output_ = INVALID_HANDLE_VALUE;
    HANDLE input_ = INVALID_HANDLE_VALUE;
    bool hasOutput_ = false;
    bool sizedByTerminal_ = false;
    Modes startModes_;  // as the console was when the host was first used
    Modes ownModes_;    // the program's own, while a child runs
    bool childRunning_ = false;
    char32_t highSurrogate_ = 0;  // of a character whose low surrogate is to come
};

}  // namespace

std::unique_ptr<ConsoleHost> makeWindowsConsoleHost() { return std::make_unique<Win32ConsoleHost>(); }

}  // namespace corrivex::platform
