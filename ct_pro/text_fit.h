// Fitting texts into the cells of a dialog: cutting with a visible mark,
// wrapping at blanks, and the byte shown for each byte of a text. Widths
// are columns of the console (platform/console_text.h): one or two for a
// character, on Windows as on a UTF-8 terminal; a text is never cut inside
// a character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corrivex::ctpro {

// The mark that stands where a text was cut.
inline constexpr std::string_view kCutMark = "...";

// The columns that `text` takes on the console.
int columnsOf(std::string_view text);

// At most `width` columns: the text itself when it fits, else its head
// followed by the mark. A width smaller than the mark gives the head alone.
std::string cutRight(std::string_view text, int width);
// At most `width` columns: the text itself when it fits, else the mark
// followed by its tail (for paths, whose end matters most).
std::string cutLeft(std::string_view text, int width);

// Lines of at most `width` columns. A line feed starts a new line (a carriage
// return is dropped); lines break at the last blank that fits, or inside a
// word longer than the width. At most `maxLines` lines: when more would be
// needed, the last one shown ends with the cut mark.
std::vector<std::string> wrapText(std::string_view text, int width, int maxLines);

// The byte a cell shows for a byte of a text: control bytes show as '?', a
// mark that reads the same on every console (the cells themselves would
// show them as glyphs, never act on them); every other byte is itself.
unsigned char shownByte(unsigned char byte);

// The characters that `text` shows (control bytes as '?'), each as
// platform::foldedChar gives it: texts compare by it as the user reads them,
// without regard to letter case.
std::u32string shownFolded(std::string_view text);

}  // namespace corrivex::ctpro
