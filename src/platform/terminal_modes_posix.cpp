#include "platform/terminal_modes_posix.h"

#include <cerrno>

#include "platform/console_host.h"

namespace corrivex::platform {

namespace {

void setAttributes(int fd, const termios& t) {
    while (tcsetattr(fd, TCSANOW, &t) != 0 && errno == EINTR) {
    }
}

}  // namespace

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
    if ((inputMode & mode::kEchoInput) != 0)
        t.c_lflag |= ECHO;
    else
        t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL);
    if ((inputMode & mode::kProcessedInput) != 0) {
        t.c_lflag |= ISIG;
    } else {
        t.c_lflag &= ~static_cast<tcflag_t>(ISIG);
        t.c_iflag &= ~static_cast<tcflag_t>(IXON | BRKINT);
    }
    t.c_iflag &= ~static_cast<tcflag_t>(ISTRIP);
    return t;
}

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
