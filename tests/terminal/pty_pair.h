// A pseudo-terminal for the tests: the host works on the slave side as on a
// real terminal; the test reads what it sent and types on the master side.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>

namespace corrivex::testing {

class PtyPair {
public:
    PtyPair(int columns, int rows) {
        winsize ws{};
        ws.ws_col = static_cast<unsigned short>(columns);
        ws.ws_row = static_cast<unsigned short>(rows);
        if (openpty(&master_, &slave_, nullptr, nullptr, &ws) != 0) throw std::runtime_error("openpty");
        fcntl(master_, F_SETFD, FD_CLOEXEC);
        fcntl(slave_, F_SETFD, FD_CLOEXEC);
        tcgetattr(slave_, &start_);
    }
    ~PtyPair() {
        if (master_ >= 0) close(master_);
        if (slave_ >= 0) close(slave_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    int master() const { return master_; }
    int slave() const { return slave_; }
    void closeMaster() {
        close(master_);
        master_ = -1;
    }

    // The line discipline's settings when the pair was made, and now.
    const termios& start() const { return start_; }
    termios now() const {
        termios t{};
        tcgetattr(slave_, &t);
        return t;
    }

    // Types on the keyboard.
    void type(std::string_view bytes) const { [[maybe_unused]] auto n = write(master_, bytes.data(), bytes.size()); }

    void resize(int columns, int rows) const {
        winsize ws{};
        ws.ws_col = static_cast<unsigned short>(columns);
        ws.ws_row = static_cast<unsigned short>(rows);
        ioctl(master_, TIOCSWINSZ, &ws);
    }

    // Everything sent to the terminal since the last call: a marker written
    // on the slave side after it closes the span.
    std::string sent() {
        const std::string marker = "<@" + std::to_string(++markers_) + "@>";
        [[maybe_unused]] auto n = write(slave_, marker.data(), marker.size());
        return readUntil(marker);
    }

    // Reads the master side up to `marker`, which is not returned; throws
    // when it does not come within `seconds`.
    std::string readUntil(std::string_view marker, int seconds = 10) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        for (;;) {
            const std::size_t at = buffer_.find(marker);
            if (at != std::string::npos) {
                std::string out = buffer_.substr(0, at);
                buffer_.erase(0, at + marker.size());
                return out;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) throw std::runtime_error("no marker " + std::string(marker) + " in: " + buffer_);
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
            char chunk[4096];
            const ssize_t got = read(master_, chunk, sizeof chunk);
            if (got > 0) buffer_.append(chunk, static_cast<std::size_t>(got));
        }
    }

    // What arrives until the master side has been quiet for `quietMs`.
    std::string readRest(int quietMs = 300) {
        for (;;) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, quietMs) <= 0) break;
            char chunk[4096];
            const ssize_t got = read(master_, chunk, sizeof chunk);
            if (got <= 0) break;
            buffer_.append(chunk, static_cast<std::size_t>(got));
        }
        std::string out;
        out.swap(buffer_);
        return out;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    termios start_{};
    std::string buffer_;
    int markers_ = 0;
};

inline bool sameSettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag && a.c_cflag == b.c_cflag &&
           a.c_cc[VMIN] == b.c_cc[VMIN] && a.c_cc[VTIME] == b.c_cc[VTIME] && a.c_cc[VINTR] == b.c_cc[VINTR];
}

// Raw keys, as the console preparation of the process start asks for them
// (Ctrl+C and Ctrl+\ keys, Ctrl+Z left to job control), with output
// processing kept.
inline bool isRaw(const termios& t) {
    return (t.c_lflag & (ICANON | ECHO)) == 0 && (t.c_lflag & ISIG) != 0 && t.c_cc[VINTR] == _POSIX_VDISABLE &&
           t.c_cc[VQUIT] == _POSIX_VDISABLE && t.c_cc[VSUSP] != _POSIX_VDISABLE && (t.c_iflag & (IXON | ICRNL)) == 0 &&
           (t.c_oflag & OPOST) != 0 && (t.c_oflag & ONLCR) != 0;
}

}  // namespace corrivex::testing
