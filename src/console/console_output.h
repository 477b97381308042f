// The console operations that the steps call, on the console that the
// process start gave the console layer (console_state.h). None reports an
// error.
#pragma once

#include <cstdint>

#include "primitives/text.h"

namespace corrivex::console {

// A colour outside 0 to 15 (such as -1) leaves that colour unchanged.
void setTextColors(std::int32_t foreground, std::int32_t background);
// Every cell of the buffer blank in the current colours, cursor at the top left.
void clearScreen();
// The window and then the buffer to columns x rows; above 9999, or on a
// console that the terminal sizes (a pseudoconsole), does nothing.
void setScreenSize(std::int32_t columns, std::int32_t rows);
void setWindowTitle(const Text& title);
// Mouse events reach the console input; every other input flag stays off,
// quick edit and insert mode as found at process start.
void enableMouseInput();
// Writes the text cell by cell in the current colours, as the console takes
// it (platform/console_text.h), and ends the line.
void printLine(const Text& text);

}  // namespace corrivex::console
