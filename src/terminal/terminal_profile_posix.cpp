// The terminal's profile from the terminfo database (ncurses' libtinfo).
#include <cstring>
#include <string_view>

#include "terminal/terminal_profile.h"

// Last: term.h names each capability by a macro (`back_color_erase`, ...).
#include <curses.h>
#include <term.h>

namespace corrivex::platform {

namespace {

// A string capability, empty when the terminal has none (absent, or
// cancelled as -1).
std::string text(const char* value) {
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
    // The capabilities by their places in the entry (term.h's names), not
    // looked up by name: a lookup by name first builds libtinfo's table of
    // every capability's name, which cost a fifth of the whole reading.
    profile.backgroundErase = back_color_erase;
    profile.eraseCharacters = !text(erase_chars).empty();
    profile.repeat = !text(repeat_char).empty();
    profile.colours = max_colors >= 16 ? 16 : 8;
    if (!profile.utf8()) {
        profile.enterLines = text(enter_alt_charset_mode);
        profile.leaveLines = text(exit_alt_charset_mode);
        profile.enableLines = text(ena_acs);
        profile.lineGlyphs = text(acs_chars);
        if (profile.leaveLines.empty()) profile.enterLines.clear();
    }
    del_curterm(cur_term);
    return profile;
}

}  // namespace corrivex::platform
