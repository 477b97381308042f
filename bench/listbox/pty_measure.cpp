// Runs a full-screen program in a pseudo-terminal of a given size and
// measures what a user of a list would feel and what a slow line would
// carry: the time from the start to the first complete frame (the end of
// the first burst of output, told by a pause), the processor time the
// program used until then, the bytes of that frame, the bytes the program
// sends for each of a few keys (Down, PgDn, Space), and its peak resident
// memory.
//
//   pty_measure [--cols N] [--rows N] [--quiet-ms N] [--runs N] [--toggle-tab] -- program args...
//
// The entry is marked with Space, or with Tab where the program wants that
// (fzf). The processor time is that of every thread of the process, read
// from /proc/<pid>/task/*/schedstat once the first frame is complete (the
// program then waits for a key); the peak memory is VmHWM of
// /proc/<pid>/status after the keys.
//
// Prints one line of medians over the runs:
//   first_frame_ms=<ms> cpu_ms=<ms> frame_bytes=<n> down=<n> pgdn=<n> space=<n> rss_kib=<n>
#include <dirent.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int columns = 80;
    int rows = 30;
    int quietMs = 300;
    int runs = 5;
    char toggle = ' ';  // the key that marks an entry
    std::vector<char*> command;
};

struct Result {
    double firstFrameMs = 0;
    double cpuMs = 0;
    double frameBytes = 0;
    double down = 0;
    double pageDown = 0;
    double space = 0;
    double peakKib = 0;
};

// Processor time of every thread of `pid` so far, in milliseconds.
double cpuMsOf(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr) return 0;
    double ns = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
        double onCpu = 0;
        if (stat >> onCpu) ns += onCpu;
    }
    closedir(dir);
    return ns / 1e6;
}

// Peak resident set size of `pid`, in KiB.
double peakKibOf(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

class Pty {
public:
    Pty(const Options& options) {
        winsize size{};
        size.ws_col = static_cast<unsigned short>(options.columns);
        size.ws_row = static_cast<unsigned short>(options.rows);
        start_ = Clock::now();
        pid_ = forkpty(&master_, nullptr, nullptr, &size);
        if (pid_ < 0) {
            std::perror("forkpty");
            std::exit(2);
        }
        if (pid_ == 0) {
            if (std::getenv("TERM") == nullptr) setenv("TERM", "xterm-256color", 1);
            unsetenv("LINES");
            unsetenv("COLUMNS");
            execvp(options.command[0], options.command.data());
            std::perror("execvp");
            _exit(127);
        }
    }

    ~Pty() {
        if (pid_ > 0) {
            // Esc closes every program measured here; then give it a moment.
            write("\x1b");
            drain(200, 2000);
            kill(pid_, SIGTERM);
            drain(100, 1000);
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (master_ >= 0) close(master_);
    }

    Clock::time_point started() const { return start_; }
    pid_t pid() const { return pid_; }

    void write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(master_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return;
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    // Reads until the program has been silent for `quietMs` after sending
    // at least one byte (or for `limitMs` in all). Returns the byte count and
    // the time of the last byte.
    std::size_t drain(int quietMs, int limitMs, Clock::time_point* lastByte = nullptr) {
        std::size_t total = 0;
        const auto begin = Clock::now();
        char buffer[65536];
        for (;;) {
            const auto now = Clock::now();
            const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - begin).count();
            if (elapsed >= limitMs) break;
            pollfd fd{master_, POLLIN, 0};
            const int wait = static_cast<int>(std::min<long long>(quietMs, limitMs - elapsed));
            const int ready = poll(&fd, 1, wait);
            if (ready < 0 && errno == EINTR) continue;
            if (ready <= 0) {
                if (total > 0 || elapsed >= limitMs) break;
                continue;
            }
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n <= 0) break;
            if (lastByte != nullptr) *lastByte = Clock::now();
            total += static_cast<std::size_t>(n);
            watch(std::string_view(buffer, static_cast<std::size_t>(n)));
        }
        return total;
    }

    // The cursor keys' bytes depend on the mode the program asked for.
    std::string down() const { return applicationCursor_ ? "\x1bOB" : "\x1b[B"; }

private:
    void watch(std::string_view output) {
        const auto set = output.rfind("\x1b[?1h");
        const auto reset = output.rfind("\x1b[?1l");
        if (set != std::string_view::npos && (reset == std::string_view::npos || set > reset))
            applicationCursor_ = true;
        else if (reset != std::string_view::npos) applicationCursor_ = false;
        // Answer the questions a program may wait on: where the cursor is,
        // and what the terminal is.
        if (output.find("\x1b[6n") != std::string_view::npos) write("\x1b[1;1R");
        if (output.find("\x1b[c") != std::string_view::npos || output.find("\x1b[0c") != std::string_view::npos)
            write("\x1b[?62;22c");
    }

    int master_ = -1;
    pid_t pid_ = -1;
    Clock::time_point start_;
    bool applicationCursor_ = false;
};

Result measureOnce(const Options& options) {
    Result result;
    Pty pty(options);
    Clock::time_point last = pty.started();
    result.frameBytes = static_cast<double>(pty.drain(options.quietMs, 20000, &last));
    result.firstFrameMs = std::chrono::duration<double, std::milli>(last - pty.started()).count();
    result.cpuMs = cpuMsOf(pty.pid());
    pty.write(pty.down());
    result.down = static_cast<double>(pty.drain(options.quietMs, 5000));
    pty.write("\x1b[6~");
    result.pageDown = static_cast<double>(pty.drain(options.quietMs, 5000));
    pty.write(std::string_view(&options.toggle, 1));
    result.space = static_cast<double>(pty.drain(options.quietMs, 5000));
    result.peakKib = peakKibOf(pty.pid());
    return result;
}

Options parse(int argc, char** argv) {
    Options options;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "--toggle-tab") {
            options.toggle = '\t';
            continue;
        }
        if (i + 1 >= argc) break;
        const int value = std::atoi(argv[++i]);
        if (arg == "--cols") options.columns = value;
        else if (arg == "--rows") options.rows = value;
        else if (arg == "--quiet-ms") options.quietMs = value;
        else if (arg == "--runs") options.runs = std::max(value, 1);
    }
    for (; i < argc; ++i) options.command.push_back(argv[i]);
    options.command.push_back(nullptr);
    if (options.command.size() < 2) {
        std::fprintf(stderr,
                     "usage: %s [--cols N] [--rows N] [--quiet-ms N] [--runs N] [--toggle-tab] -- program args...\n",
                     argv[0]);
        std::exit(2);
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    std::vector<Result> results;
    for (int run = 0; run < options.runs; ++run) results.push_back(measureOnce(options));
    const auto median = [&](double Result::*field) {
        std::vector<double> values;
        for (const Result& r : results) values.push_back(r.*field);
        std::sort(values.begin(), values.end());
        const std::size_t n = values.size();
        return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    };
    std::printf("first_frame_ms=%.2f cpu_ms=%.2f frame_bytes=%.0f down=%.0f pgdn=%.0f space=%.0f rss_kib=%.0f\n",
                median(&Result::firstFrameMs), median(&Result::cpuMs), median(&Result::frameBytes),
                median(&Result::down), median(&Result::pageDown), median(&Result::space), median(&Result::peakKib));
    return 0;
}
