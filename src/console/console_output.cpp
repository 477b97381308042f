#include "console/console_output.h"

#include <algorithm>
#include <vector>

#include "console/console_state.h"
#include "platform/console_text.h"

namespace corrivex::console {

namespace {

constexpr std::int32_t kScreenSizeLimit = 9999;

std::uint16_t currentAttribute() {
    const ConsoleState& state = consoleState();
    return static_cast<std::uint16_t>(state.foreground + 16 * state.background);
}

// Rows 2 to H move up one row; row 1 is lost; row H turns blank in the
// current colours.
void scrollUp(platform::ConsoleHost& host, platform::CellPos size) {
    host.scroll(platform::CellRect::sized({0, 1}, size.x, size.y - 1), platform::CellPos{0, 0},
                platform::Cell{' ', currentAttribute()});
}

}  // namespace

void setTextColors(std::int32_t foreground, std::int32_t background) {
    ConsoleState& state = consoleState();
    if (static_cast<std::uint32_t>(foreground) <= 15) state.foreground = foreground;
    if (static_cast<std::uint32_t>(background) <= 15) state.background = background;
    if (state.host != nullptr) state.host->setTextAttribute(currentAttribute());
}

void clearScreen() {
    if (consoleState().host == nullptr) return;
    platform::ConsoleHost& host = *consoleState().host;
    platform::CursorInfo cursor;
    const bool hidden = host.cursorInfo(cursor) && cursor.visible;
    if (hidden) host.setCursorInfo(platform::CursorInfo{cursor.size, false});

    platform::ScreenBufferInfo info;
    if (host.screenBufferInfo(info)) {
        const int cells = info.size.x * info.size.y;
        host.fillCharacter(' ', cells, platform::CellPos{0, 0});
        host.fillAttribute(currentAttribute(), cells, platform::CellPos{0, 0});
    }
    host.setCursorPosition(platform::CellPos{0, 0});
    consoleState().pendingScroll = false;

    if (hidden) host.setCursorInfo(cursor);
}

void setScreenSize(std::int32_t columns, std::int32_t rows) {
    if (columns > kScreenSizeLimit || rows > kScreenSizeLimit || consoleState().host == nullptr) return;
    platform::ConsoleHost& host = *consoleState().host;
    // A pseudoconsole keeps the terminal's size: the screen is what it shows.
    if (host.sizedByTerminal()) return;
    platform::ScreenBufferInfo info;
    host.screenBufferInfo(info);
    host.setBufferSize(platform::CellPos{std::max(columns, info.size.x), std::max(rows, info.size.y)});
    host.setWindow(platform::CellRect::sized({0, 0}, columns, rows));
    host.setBufferSize(platform::CellPos{columns, rows});
}

void setWindowTitle(const Text& title) {
    // The platform takes a zero-terminated string: the title ends at a NUL.
    if (consoleState().host != nullptr) consoleState().host->setTitle(Text(title.c_str()));
}

void enableMouseInput() {
    const ConsoleState& state = consoleState();
    if (state.host != nullptr) state.host->setInputMode(platform::mode::kMouseInput | state.startExtendedFlags);
}

void printLine(const Text& text) {
    ConsoleState& state = consoleState();
    if (state.host == nullptr) return;
    platform::ConsoleHost& host = *state.host;
    platform::ScreenBufferInfo info;
    if (!host.screenBufferInfo(info) || info.size.x <= 0 || info.size.y <= 0) return;
    const int width = info.size.x;
    const int bottom = info.size.y - 1;
    int x = info.cursor.x;
    int y = info.cursor.y;

    // The text as the console takes it: a byte a cell on Windows, a
    // character (one or two cells) on a UTF-8 terminal.
    const std::vector<platform::ConsoleChar> chars = platform::consoleChars(text);
    const std::uint16_t attribute = currentAttribute();
    std::size_t done = 0;
    std::vector<platform::Cell> run;
    std::vector<platform::Cell> line;  // every cell written, for a host that sends the line as text
    host.beginLine();
    while (done < chars.size()) {
        if (state.pendingScroll) {
            state.pendingScroll = false;
            scrollUp(host, info.size);
        }
        // The characters that fit in the rest of the row; a double-width
        // one that does not fit goes to the next row, as a whole.
        const int room = std::max(width - x, 1);
        run.clear();
        while (done < chars.size() && static_cast<int>(run.size()) + chars[done].columns <= room) {
            const platform::CharCells shown = platform::cellsOf(chars[done++], attribute);
            run.insert(run.end(), shown.cells.begin(), shown.cells.begin() + shown.count);
        }
        if (run.empty() && room < width) {
            x = width;  // the rest of the row stays as it is
        } else {
            if (run.empty()) run.push_back(platform::Cell{chars[done++].ch, attribute});  // wider than the row
            host.writeCells(platform::CellPos{x, y}, static_cast<int>(run.size()), 1, run.data());
            x += static_cast<int>(run.size());
            line.insert(line.end(), run.begin(), run.end());
        }
        if (x >= width) {
            x = 0;
            if (y < bottom) {
                ++y;
            } else {
                state.pendingScroll = true;
            }
        }
    }
    host.setCursorPosition(platform::CellPos{x, y});

    if (y == bottom) {
        if (state.pendingScroll) {
            state.pendingScroll = false;
            scrollUp(host, info.size);
        }
        scrollUp(host, info.size);
        host.setCursorPosition(platform::CellPos{0, bottom});
    } else {
        host.setCursorPosition(platform::CellPos{0, y + 1});
    }
    host.endLine(line.data(), static_cast<int>(line.size()));
}

}  // namespace corrivex::console
