#include "terminal/terminal_modes_posix.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "platform/console_host.h"

namespace corrivex::platform {

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd, POLLOUT, 0};
            if (poll(&p, 1, 1000) <= 0) return;
        } else {
            return;  // the terminal is gone: nothing more can be shown
        }
    }
}

void setAttributes(int fd, const termios& settings) {
    while (tcsetattr(fd, TCSANOW, &settings) != 0 && errno == EINTR) {
    }
}

namespace {

// The line discipline's settings for a console input mode, from those of the
// start: without line input no canonical mode (keys arrive one by one, Enter
// as CR); without echo no echo; without processed input Ctrl+C and Ctrl+\ (quit)
// arrive as keys, as on Windows, and there is no XON/XOFF flow control,
// while Ctrl+Z still stops the program as the terminal's job control has it
// (the terminal is given back first, and taken again on continuing).
// Output processing is left as it was, so that a "\n" still starts a line.
termios termiosForInputMode(const termios& start, std::uint32_t inputMode) {
    termios t = start;
    if ((inputMode & mode::kLineInput) != 0) {
        t.c_lflag |= ICANON | IEXTEN;
        t.c_iflag |= ICRNL;
    } else {
        t.c_lflag &= ~static_cast<tcflag_t>(ICANON | IEXTEN);
        t.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR);
        t.c_cc[VMIN] = 1;
        t.c_cc[VTIME] = 0;
    }
    if ((inputMode & mode::kEchoInput) != 0) t.c_lflag |= ECHO;
    else t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL);
    if ((inputMode & mode::kProcessedInput) != 0) {
        t.c_lflag |= ISIG;
    } else {
        t.c_cc[VINTR] = _POSIX_VDISABLE;
        t.c_cc[VQUIT] = _POSIX_VDISABLE;
        t.c_iflag &= ~static_cast<tcflag_t>(IXON | BRKINT);
    }
    t.c_iflag &= ~static_cast<tcflag_t>(ISTRIP);
    return t;
}

}  // namespace

TerminalModes::TerminalModes(int fd) {
    if (fd >= 0 && tcgetattr(fd, &start_) == 0) fd_ = fd;
}

void TerminalModes::applyInputMode(std::uint32_t inputMode) const {
    if (fd_ < 0) return;
    setAttributes(fd_, termiosForInputMode(start_, inputMode));
}

void TerminalModes::restoreStart() const {
    if (fd_ >= 0) setAttributes(fd_, start_);
}

}  // namespace corrivex::platform
