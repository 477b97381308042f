// What a terminal declares it can do, as far as drawing the console needs
// it: how it erases, whether it repeats a glyph, how many colours it has,
// and the character set it takes (the locale's) with its line drawing.
//
// A profile made with no arguments is an xterm-like terminal in a UTF-8
// locale (xterm, tmux, VTE, kitty). The terminal host reads the profile of
// the terminal it draws on from the terminfo database and the locale when
// it starts.
#pragma once

#include <string>
#include <string_view>

namespace corrivex::platform {

struct TerminalProfile {
    // Erasing (EL, ECH) fills in the background in force (terminfo `bce`);
    // without it erased cells take the terminal's own background.
    bool backgroundErase = true;
    bool eraseCharacters = true;  // ECH (`ech`)
    bool repeat = true;           // REP (`rep`)
    int colours = 16;             // `colors`: 8 where bright colours are only bold foregrounds
    // The locale's character set (nl_langinfo(CODESET)); empty for UTF-8.
    std::string charset;
    // In an 8-bit character set: the line drawing set, entered with
    // `enterLines` and left with `leaveLines` (terminfo `smacs`, `rmacs`;
    // `enableLines` is `enacs`), its glyphs given as pairs of the VT100
    // letter and the terminal's byte (`acsc`). Without `enterLines` the
    // frames are drawn in ASCII.
    std::string enterLines;
    std::string leaveLines;
    std::string enableLines;
    std::string lineGlyphs;

    bool utf8() const { return charset.empty(); }
};

// The profile of terminal type `term` (TERM) in a locale whose character
// set is `codeset`, read from the terminfo database. A type that terminfo
// does not know (or none) gets the safe choice: blanks written out, no
// repeat, 8 colours.
TerminalProfile readTerminalProfile(const char* term, const char* codeset);

// Whether a character set's name (nl_langinfo(CODESET), or a locale name's
// codeset part) says UTF-8.
bool isUtf8Codeset(std::string_view codeset);

}  // namespace corrivex::platform
