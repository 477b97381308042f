// The console host: a screen buffer of cells (a byte and an attribute each),
// a cursor, a window onto the buffer, a title and a queue of input events.
//
// The operations mirror those of the Windows console, so that the win32
// implementation is a thin layer over the real console and every other
// implementation (the POSIX terminal emulation, the memory host of the tests)
// behaves as a Windows console would. Coordinates are 0-based buffer
// positions; rectangles are inclusive, as in the Windows console API.
//
// The process's own host is looked up once, where the process or a call
// into the console tools library begins (process_console/process_console.h),
// and handed to what draws or reads.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corrivex::platform {

struct CellPos {
    int x = 0;
    int y = 0;
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

// A rectangle of cells, its right column and bottom row included. It is
// empty when right < left or bottom < top; its width or height is then zero
// or less.
struct CellRect {
    int left = 0;
    int top = 0;
    int right = -1;   // inclusive
    int bottom = -1;  // inclusive

    // The width x height cells whose top left cell is `topLeft`.
    static constexpr CellRect sized(CellPos topLeft, int width, int height) {
        return {topLeft.x, topLeft.y, topLeft.x + width - 1, topLeft.y + height - 1};
    }

    constexpr int width() const { return right - left + 1; }
    constexpr int height() const { return bottom - top + 1; }
    constexpr bool empty() const { return right < left || bottom < top; }
    constexpr CellPos topLeft() const { return {left, top}; }
    constexpr bool contains(CellPos p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
    // The cells that lie in both; empty when there are none.
    constexpr CellRect intersection(const CellRect& other) const {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
    // The place of cell `p` (inside the rectangle) among its cells taken row
    // by row from the top left.
    constexpr std::size_t indexOf(CellPos p) const {
        return static_cast<std::size_t>(p.y - top) * static_cast<std::size_t>(width()) +
               static_cast<std::size_t>(p.x - left);
    }

    friend bool operator==(const CellRect&, const CellRect&) = default;
};

// A cell holds one Unicode character, on the Windows console as on the POSIX
// terminal (console_text.h). The two cells of a double-width character both
// hold it and carry kLeadingHalf and kTrailingHalf in their attributes, as
// on Windows.
struct Cell {
    char32_t ch = U' ';
    std::uint16_t attr = 0x07;
    friend bool operator==(const Cell&, const Cell&) = default;
};

struct ScreenBufferInfo {
    CellPos size;  // columns x rows of the whole buffer
    CellPos cursor;
    std::uint16_t attributes = 0x07;
    CellRect window;  // the visible part, in buffer coordinates
};

struct CursorInfo {
    unsigned size = 25;  // percent of the cell height, 1 to 100
    bool visible = true;
};

// Console mode flags, with the values of the Windows console.
namespace mode {
inline constexpr std::uint32_t kProcessedInput = 0x0001;
inline constexpr std::uint32_t kLineInput = 0x0002;
inline constexpr std::uint32_t kEchoInput = 0x0004;
inline constexpr std::uint32_t kWindowInput = 0x0008;
inline constexpr std::uint32_t kMouseInput = 0x0010;
inline constexpr std::uint32_t kInsert = 0x0020;
inline constexpr std::uint32_t kQuickEdit = 0x0040;
inline constexpr std::uint32_t kExtendedFlags = 0x0080;
// Quick edit and insert mode are the extended flags: a mode changes them only
// when it holds kExtendedFlags, and the console reports them only while the
// last mode set held it.
inline constexpr std::uint32_t kExtendedMask = kExtendedFlags | kQuickEdit | kInsert;

inline constexpr std::uint32_t kProcessedOutput = 0x0001;
inline constexpr std::uint32_t kWrapAtEolOutput = 0x0002;
}  // namespace mode

// Modifier (control key state) flags, with the values of the Windows console.
namespace modifier {
inline constexpr std::uint32_t kRightAlt = 0x0001;
inline constexpr std::uint32_t kLeftAlt = 0x0002;
inline constexpr std::uint32_t kRightCtrl = 0x0004;
inline constexpr std::uint32_t kLeftCtrl = 0x0008;
inline constexpr std::uint32_t kShift = 0x0010;
inline constexpr std::uint32_t kEnhancedKey = 0x0100;
inline constexpr std::uint32_t kAlt = kRightAlt | kLeftAlt;
inline constexpr std::uint32_t kCtrl = kRightCtrl | kLeftCtrl;
}  // namespace modifier

// Virtual-key codes used by the dialogs, with the values of Windows.
namespace vk {
inline constexpr std::uint16_t kBack = 0x08;
inline constexpr std::uint16_t kTab = 0x09;
inline constexpr std::uint16_t kReturn = 0x0D;
inline constexpr std::uint16_t kShift = 0x10;
inline constexpr std::uint16_t kControl = 0x11;
inline constexpr std::uint16_t kMenu = 0x12;  // Alt
inline constexpr std::uint16_t kEscape = 0x1B;
inline constexpr std::uint16_t kSpace = 0x20;
inline constexpr std::uint16_t kPrior = 0x21;  // PgUp
inline constexpr std::uint16_t kNext = 0x22;   // PgDn
inline constexpr std::uint16_t kEnd = 0x23;
inline constexpr std::uint16_t kHome = 0x24;
inline constexpr std::uint16_t kLeft = 0x25;
inline constexpr std::uint16_t kUp = 0x26;
inline constexpr std::uint16_t kRight = 0x27;
inline constexpr std::uint16_t kDown = 0x28;
inline constexpr std::uint16_t kInsert = 0x2D;
inline constexpr std::uint16_t kDelete = 0x2E;
inline constexpr std::uint16_t kF1 = 0x70;
// 'A'..'Z' and '0'..'9' are their ASCII codes.
}  // namespace vk

// Mouse button and event flags, with the values of the Windows console.
namespace mouse {
inline constexpr std::uint32_t kLeftButton = 0x0001;
inline constexpr std::uint32_t kRightButton = 0x0002;
inline constexpr std::uint32_t kMiddleButton = 0x0004;

inline constexpr std::uint32_t kMoved = 0x0001;
inline constexpr std::uint32_t kDoubleClick = 0x0002;
inline constexpr std::uint32_t kWheeled = 0x0004;
}  // namespace mouse

struct KeyInput {
    bool down = true;
    std::uint16_t repeat = 1;
    std::uint16_t virtualKey = 0;
    // The Unicode character typed, 0 for none.
    char32_t ch = 0;
    std::uint32_t modifiers = 0;
};

struct MouseInput {
    CellPos pos;                // buffer position of the cell under the pointer
    std::uint32_t buttons = 0;  // buttons held down after the event (mouse::k*Button)
    std::uint32_t modifiers = 0;
    std::uint32_t flags = 0;  // 0 for a press or release, else mouse::kMoved/kDoubleClick/kWheeled
    int wheelDelta = 0;       // with kWheeled: positive away from the user (scroll up)
};

struct InputEvent {
    enum class Kind { Key, Mouse, Resize, Other };
    Kind kind = Kind::Other;
    KeyInput key;
    MouseInput mouse;
    CellPos newSize;  // with Resize
};

class ConsoleHost {
public:
    virtual ~ConsoleHost() = default;

    // False when there is no console to show output on.
    virtual bool hasOutput() const = 0;

    // Screen buffer. All calls fail silently; results hold neutral values then.
    virtual bool screenBufferInfo(ScreenBufferInfo& info) = 0;
    virtual void setBufferSize(CellPos size) = 0;
    virtual void setWindow(CellRect window) = 0;  // absolute buffer coordinates

    // Writes a block of width x height cells, row by row, with its top left
    // corner at `at`; cells falling outside the buffer are dropped. No byte is
    // interpreted.
    virtual void writeCells(CellPos at, int width, int height, const Cell* cells) = 0;
    // Reads a block; cells outside the buffer read as blanks in attribute 0x07.
    virtual void readCells(CellPos at, int width, int height, Cell* cells) = 0;
    // Fill `count` cells from `start`, running on to the next rows, stopping at
    // the end of the buffer.
    virtual void fillCharacter(unsigned char ch, int count, CellPos start) = 0;
    virtual void fillAttribute(std::uint16_t attr, int count, CellPos start) = 0;
    // Moves the cells of `source` so that its top left lands on `destination`;
    // the cells of `source` that nothing moves onto get `fill`.
    virtual void scroll(CellRect source, CellPos destination, Cell fill) = 0;

    virtual void setCursorPosition(CellPos pos) = 0;
    virtual bool cursorInfo(CursorInfo& info) = 0;
    virtual void setCursorInfo(const CursorInfo& info) = 0;
    // The attribute for text written through the console's text stream,
    // by this process or by a child sharing the console.
    virtual void setTextAttribute(std::uint16_t attr) = 0;
    virtual void setTitle(std::string_view title) = 0;

    // True where the buffer and the window stand for a terminal's window that
    // only the terminal sizes (a pseudoconsole: Windows Terminal); setting
    // them would size a hidden buffer, not what is shown.
    virtual bool sizedByTerminal() const { return false; }

    // A Windows console reports a change of the buffer's size (a Resize
    // event) only in window-aware input mode (mode::kWindowInput): a reader
    // that acts on resizes sets it.
    virtual bool inputMode(std::uint32_t& mode) = 0;
    virtual void setInputMode(std::uint32_t mode) = 0;
    virtual bool outputMode(std::uint32_t& mode) = 0;
    virtual void setOutputMode(std::uint32_t mode) = 0;

    // Waits for the next input event. False when input is closed (end of
    // file, no console): callers must then stop reading.
    virtual bool readInput(InputEvent& event) = 0;

    // Around a child process that shares the console (an editor, the
    // engine): hand the console over, and take it back when the child has
    // ended: the console gets the modes it had when the process started,
    // and the program's own modes are set again afterwards.
    virtual void beginChild() {}
    virtual void endChild() {}

    // Around one line of text written at the cursor, as a stream writes it
    // (its cells, the cursor's move to the next row, the scroll that makes
    // room); `cells` are the line's cells in order. A host whose screen may
    // not show the buffer (a terminal that a child has written on) sends
    // them as text where the terminal's cursor is.
    virtual void beginLine() {}
    virtual void endLine(const Cell* /*cells*/, int /*count*/) {}
};

}  // namespace corrivex::platform
