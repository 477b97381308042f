// The terminal's profile from the terminfo database (ncurses' libtinfo).
#include <curses.h>
#include <term.h>

#include <cstring>
#include <string_view>

#include "terminal/terminal_profile.h"

namespace corrivex::platform {

namespace {

// A string capability, empty when the terminal has none.
std::string text(const char* name) {
    const char* value = tigetstr(name);
    return value == nullptr || value == reinterpret_cast<const char*>(-1) ? std::string() : std::string(value);
}

}  // namespace

bool isUtf8Codeset(std::string_view codeset) {
    return codeset == "UTF-8" || codeset == "utf8" || codeset == "UTF8" || codeset == "utf-8";
}

TerminalProfile readTerminalProfile(const char* term, const char* codeset) {
    TerminalProfile profile;
    if (codeset != nullptr && !isUtf8Codeset(codeset)) profile.charset = codeset;
    // The capabilities read here are all standard ones: the entry's
    // extended names (xterm's dozens) are not even parsed.
    use_extended_names(FALSE);
    int status = 0;
    if (term == nullptr || *term == '\0' || setupterm(term, -1, &status) != OK) {
        profile.backgroundErase = false;
        profile.eraseCharacters = false;
        profile.repeat = false;
        profile.colours = 8;
        return profile;
    }
    profile.backgroundErase = tigetflag("bce") > 0;
    profile.eraseCharacters = !text("ech").empty();
    profile.repeat = !text("rep").empty();
    const int colours = tigetnum("colors");
    profile.colours = colours >= 16 ? 16 : 8;
    if (!profile.utf8()) {
        profile.enterLines = text("smacs");
        profile.leaveLines = text("rmacs");
        profile.enableLines = text("enacs");
        profile.lineGlyphs = text("acsc");
        if (profile.leaveLines.empty()) profile.enterLines.clear();
    }
    del_curterm(cur_term);
    return profile;
}

}  // namespace corrivex::platform
