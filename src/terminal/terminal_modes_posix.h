// The modes of a POSIX terminal as the console modes ask for them: the line
// discipline's settings (termios) and the terminal's own modes (mouse
// reporting, autowrap), with the settings the terminal had at the start.
#pragma once

#include <termios.h>

#include <cstdint>
#include <string_view>

namespace corrivex::platform {

// Escape sequences of the terminal's modes. Mouse reporting: button presses
// and releases (1000), motion while a button is held (1002), SGR form (1006).
inline constexpr std::string_view kMouseReportingOn = "\x1b[?1000h\x1b[?1002h\x1b[?1006h";
inline constexpr std::string_view kMouseReportingOff = "\x1b[?1006l\x1b[?1002l\x1b[?1000l";
inline constexpr std::string_view kAutowrapOn = "\x1b[?7h";
inline constexpr std::string_view kAutowrapOff = "\x1b[?7l";
inline constexpr std::string_view kCursorShown = "\x1b[?25h";
// xterm's title stack: the window title of the start is saved before the
// first drawing and given back at the end.
inline constexpr std::string_view kTitleSave = "\x1b[22;0t";
inline constexpr std::string_view kTitleRestore = "\x1b[23;0t";
// What the terminal gets back when the process ends (and, once it was
// saved, the title): no mouse reporting,
// autowrap, the cursor shown, the terminal's own colours.
inline constexpr std::string_view kTerminalRestore = "\x1b[?1006l\x1b[?1002l\x1b[?1000l\x1b[?7h\x1b[?25h\x1b[0m";

// Writes all of `bytes` to `fd`, going on after interruptions and waiting
// (a second at most) while the terminal takes nothing; stops when the
// terminal is gone. Safe to call from a signal handler.
void writeAll(int fd, std::string_view bytes);
// Sets the line discipline's settings of `fd`, going on after
// interruptions. Safe to call from a signal handler.
void setAttributes(int fd, const termios& settings);

class TerminalModes {
public:
    // Records the settings of `fd` when it is a terminal.
    explicit TerminalModes(int fd);

    bool isTerminal() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    const termios& start() const { return start_; }

    void applyInputMode(std::uint32_t inputMode) const;
    void restoreStart() const;

private:
    int fd_ = -1;
    termios start_{};
};

}  // namespace corrivex::platform
