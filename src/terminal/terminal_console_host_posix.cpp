#include "terminal/terminal_console_host_posix.h"

#include <langinfo.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "terminal/terminal_exit_guard_posix.h"
#include "terminal/terminal_resize_posix.h"

namespace corrivex::platform {

namespace {

constexpr CellPos kNoTerminalSize{80, 25};

int terminalOrNone(int fd) { return fd >= 0 && isatty(fd) != 0 ? fd : -1; }

CellPos sizeOf(int outputFd, int inputFd, CellPos unknown) {
    CellPos size;
    if (queryTerminalSize(outputFd, size) || queryTerminalSize(inputFd, size)) return size;
    return unknown;
}

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Whether the locale of the environment (LC_ALL, LC_CTYPE, LANG) names
// UTF-8 as its character set: language_territory.codeset@modifier.
bool namesUtf8() {
    const char* name = nullptr;
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"})
        if (name = std::getenv(variable); name != nullptr && *name != '\0') break;
    const char* dot = name != nullptr ? std::strchr(name, '.') : nullptr;
    if (dot == nullptr) return false;
    return isUtf8Codeset(std::string_view(dot + 1, std::strcspn(dot + 1, "@")));
}

// What the terminal declares (terminfo, by TERM) in the locale's character
// set. The process-wide host takes the locale of the environment, as POSIX
// programs do at their start (a locale whose name says UTF-8 needs no
// loading: the console works in UTF-8 anyway); any other host draws as on
// xterm.
TerminalProfile profileAtStart(bool processWide) {
    if (!processWide) return {};
    const char* codeset = "UTF-8";
    if (!namesUtf8()) {
        std::setlocale(LC_CTYPE, "");
        codeset = nl_langinfo(CODESET);
    }
    return readTerminalProfile(std::getenv("TERM"), codeset);
}

// Saves the terminal's title and moves what the terminal showed before the
// first drawing into its scrollback, as a newly opened console starts empty.
std::string makeRoom(CellPos terminal) {
    std::string out(kTitleSave);
    out += "\x1b[0m\x1b[" + std::to_string(terminal.y) + "H";
    out.append(static_cast<std::size_t>(terminal.y), '\n');
    return out;
}

// The same looks, whatever the terminal's size.
bool sameLooks(const TerminalFrame& a, const TerminalFrame& b) {
    return a.size == b.size && a.cells == b.cells && a.cursor == b.cursor && a.cursorShown == b.cursorShown &&
           a.title == b.title;
}

}  // namespace

TerminalConsoleHost::TerminalConsoleHost(int inputFd, int outputFd, bool processWide)
    : ScreenBuffer(sizeOf(terminalOrNone(outputFd), terminalOrNone(inputFd), kNoTerminalSize)),
      inputFd_(terminalOrNone(inputFd)),
      outputFd_(terminalOrNone(outputFd)),
      processWide_(processWide),
      modes_(inputFd_),
      terminal_(size()),
      renderer_(profileAtStart(processWide)),
      escapeRelease_(processWide_ && ScreenEscapeRelease::insideScreen(std::getenv("TERM"), std::getenv("STY"))) {
    lazyBase_ = captureFrame(*this, terminal_);
    if (processWide_) {
        if (modes_.isTerminal() || outputFd_ >= 0) armTerminalExitGuard(modes_.fd(), modes_.start(), outputFd_);
        if (inputFd_ >= 0 || outputFd_ >= 0) watchTerminalResize();
    }
}

TerminalConsoleHost::~TerminalConsoleHost() {
    // Drawing takes memory; without it the terminal is still given back.
    try {
        present();
    } catch (const std::bad_alloc&) {
    }
    if (processWide_) {
        restoreTerminalAtExit();
        disarmTerminalExitGuard();
        return;
    }
    send(kTerminalRestore);
    if (painted_) send(kTitleRestore);
    modes_.restoreStart();
}

void TerminalConsoleHost::send(std::string_view bytes) const {
    if (outputFd_ >= 0) writeAll(outputFd_, bytes);
}

void TerminalConsoleHost::applyModes() {
    std::string out;
    if (inputModeSet_) {
        const std::uint32_t mode = currentInputMode();
        modes_.applyInputMode(mode);
        const bool mouse = (mode & mode::kMouseInput) != 0 && inputFd_ >= 0;
        if (mouse != mouseReporting_) out += mouse ? kMouseReportingOn : kMouseReportingOff;
        mouseReporting_ = mouse;
    }
    if (outputModeSet_) {
        const bool wrap = (currentOutputMode() & mode::kWrapAtEolOutput) != 0;
        if (wrap != autowrap_) out += wrap ? kAutowrapOn : kAutowrapOff;
        autowrap_ = wrap;
    }
    send(out);
}

void TerminalConsoleHost::setInputMode(std::uint32_t mode) {
    ScreenBuffer::setInputMode(mode);
    inputModeSet_ = true;
    if (!childRunning_) applyModes();
}

void TerminalConsoleHost::setOutputMode(std::uint32_t mode) {
    ScreenBuffer::setOutputMode(mode);
    outputModeSet_ = true;
    if (!childRunning_) applyModes();
}

void TerminalConsoleHost::takeResize() {
    if (!processWide_ || !takeTerminalResize()) return;
    if (bool givenBack = false; takeTerminalContinued(givenBack)) continued(givenBack);
    terminalResized();
}

void TerminalConsoleHost::continued(bool givenBack) {
    // The stop gave the terminal back as it was at the start; after a
    // SIGSTOP it is as the host left it.
    if (childRunning_) return;
    if (painted_) {
        if (givenBack) send(kTitleSave);
        lazy_ = false;
        afterChild_ = false;
    }
    mouseReporting_ = false;
    autowrap_ = true;
    applyModes();
}

void TerminalConsoleHost::setWindow(CellRect window) { ScreenBuffer::setWindow(shownPart(window, terminal_)); }

void TerminalConsoleHost::setBufferSize(CellPos size) {
    ScreenBuffer::setBufferSize(size);
    followTerminal();
}

void TerminalConsoleHost::followTerminal() {
    const CellPos buffer = size();
    const CellRect now = window();
    const int width = std::min(terminal_.x, buffer.x);
    const int height = std::min(terminal_.y, buffer.y);
    const CellRect fitted =
        CellRect::sized({std::min(now.left, buffer.x - width), std::min(now.top, buffer.y - height)}, width, height);
    if (fitted != now) ScreenBuffer::setWindow(fitted);
}

void TerminalConsoleHost::terminalResized() {
    const CellPos size = sizeOf(outputFd_, inputFd_, terminal_);
    terminal_ = size;
    followTerminal();
    InputEvent event;
    event.kind = InputEvent::Kind::Resize;
    event.newSize = size;
    queued_.push_back(event);
    if (childRunning_) return;
    // A terminal rearranges its contents when resized in ways of its own.
    renderer_.invalidate();
    if (!lazy_) dirty_ = true;
}

void TerminalConsoleHost::changed() { dirty_ = true; }

void TerminalConsoleHost::present() {
    if (childRunning_ || outputFd_ < 0) return;
    if (processWide_ && terminalResizePending()) takeResize();
    if (!dirty_) return;
    dirty_ = false;
    TerminalFrame frame = captureFrame(*this, terminal_);
    std::string out;
    if (lazy_) {
        if (sameLooks(frame, lazyBase_)) return;
        lazy_ = false;
        afterChild_ = false;
        if (!painted_) {
            out = makeRoom(terminal_);
            if (processWide_) noteTitleSaved();
        }
    }
    painted_ = true;
    out += renderer_.render(std::move(frame));
    send(out);
}

void TerminalConsoleHost::beginChild() {
    if (childRunning_) return;
    present();
    std::string out;
    if (mouseReporting_) out += kMouseReportingOff;
    if (!autowrap_) out += kAutowrapOn;
    out += kCursorShown;
    // The child writes where the buffer's cursor is, unless the terminal
    // still shows what an earlier child wrote.
    std::optional<CellPos> cursor;
    if (!lazy_) {
        const CellRect shown = shownPart(window(), terminal_);
        const CellPos at = this->cursor();
        if (shown.contains(at)) cursor = CellPos{at.x - shown.left, at.y - shown.top};
    }
    out += renderer_.penAndCursor(textAttribute(), cursor);
    send(out);
    modes_.restoreStart();
    childRunning_ = true;
    if (processWide_) noteTerminalHandedOver(true);
}

void TerminalConsoleHost::endChild() {
    if (!childRunning_) return;
    childRunning_ = false;
    if (processWide_) noteTerminalHandedOver(false);
    // As the child left it: no mouse reporting, autowrap on.
    mouseReporting_ = false;
    autowrap_ = true;
    applyModes();
    renderer_.invalidate();
    lazy_ = true;
    afterChild_ = true;
    lazyBase_ = captureFrame(*this, terminal_);
}

void TerminalConsoleHost::beginLine() {
    // Only while the buffer looks as it did when the child ended, its lines
    // aside: any other change is drawn whole over the terminal anyway.
    lineAsText_ = lazy_ && afterChild_ && !childRunning_ && outputFd_ >= 0 &&
                  sameLooks(captureFrame(*this, terminal_), lazyBase_);
}

void TerminalConsoleHost::endLine(const Cell* cells, int count) {
    if (!lineAsText_) return;
    lineAsText_ = false;
    send(renderer_.lineText(cells, count, textAttribute()));
    // The line's cells, the cursor's move and the scroll in the buffer count
    // as shown.
    lazyBase_ = captureFrame(*this, terminal_);
}

void TerminalConsoleHost::closeInput() {
    decoder_.flush();
    inputClosed_ = true;
}

bool TerminalConsoleHost::readInput(InputEvent& event) {
    for (;;) {
        // The program waits: the terminal shows what it is waiting with.
        present();
        if (!queued_.empty()) {
            event = queued_.front();
            queued_.pop_front();
            return true;
        }
        if (decoder_.takeStatusReport()) escapeRelease_.answered();
        const std::int64_t now = nowMs();
        const bool held = !inputClosed_ && escapeRelease_.holdsEvents(now);
        if (!held && decoder_.next(event)) return true;
        if (inputClosed_ || inputFd_ < 0) return false;

        int timeout = -1;
        if (decoder_.waiting()) {
            const std::int64_t left = TerminalInputDecoder::kEscapeWaitMs - (now - lastInputMs_);
            if (left <= 0) {
                decoder_.flush();
                continue;
            }
            timeout = static_cast<int>(left);
        } else {
            send(escapeRelease_.due(now, mouseReporting_));
            timeout = escapeRelease_.waitMs(now, mouseReporting_);
        }
        pollfd fds[2] = {{inputFd_, POLLIN, 0}, {terminalResizeFd(), POLLIN, 0}};
        const nfds_t count = processWide_ && fds[1].fd >= 0 ? 2 : 1;
        const int ready = poll(fds, count, timeout);
        if (ready < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                takeResize();
                continue;
            }
            closeInput();
            continue;
        }
        if (ready == 0) {
            decoder_.flush();
            continue;
        }
        if (count == 2 && (fds[1].revents & POLLIN) != 0) takeResize();
        if (fds[0].revents == 0) continue;
        if ((fds[0].revents & POLLNVAL) != 0) {
            closeInput();
            continue;
        }
        char buffer[256];
        const ssize_t n = read(inputFd_, buffer, sizeof buffer);
        if (n > 0) {
            lastInputMs_ = nowMs();
            escapeRelease_.input(lastInputMs_);
            decoder_.setWindowOrigin({window().left, window().top});
            decoder_.feed(std::string_view(buffer, static_cast<std::size_t>(n)), lastInputMs_);
        } else if (n == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
            // End of file, or the terminal has gone away.
            closeInput();
        }
    }
}

}  // namespace corrivex::platform
