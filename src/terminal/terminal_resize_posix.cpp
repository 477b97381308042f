#include "terminal/terminal_resize_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace corrivex::platform {

namespace {

volatile sig_atomic_t resized = 0;
int pipeRead = -1;
int pipeWrite = -1;

void onResize(int) {
    const int savedErrno = errno;
    resized = 1;
    if (pipeWrite >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = write(pipeWrite, &byte, 1);  // a full pipe already says it
    }
    errno = savedErrno;
}

}  // namespace

bool queryTerminalSize(int fd, CellPos& size) {
    winsize ws{};
    if (fd < 0 || ioctl(fd, TIOCGWINSZ, &ws) != 0 || ws.ws_col == 0 || ws.ws_row == 0) return false;
    size = {ws.ws_col, ws.ws_row};
    return true;
}

void watchTerminalResize() {
    if (pipeRead >= 0) return;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    pipeRead = fds[0];
    pipeWrite = fds[1];
    struct sigaction action {};
    action.sa_handler = onResize;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGWINCH, &action, nullptr);
}

int terminalResizeFd() { return pipeRead; }

bool terminalResizePending() { return resized != 0; }

bool takeTerminalResize() {
    if (pipeRead >= 0) {
        char buffer[64];
        while (read(pipeRead, buffer, sizeof buffer) > 0) {
        }
    }
    if (resized == 0) return false;
    resized = 0;
    return true;
}

}  // namespace corrivex::platform
