// The child that the runCommand tests start. The first word of its
// arguments names a log file in which it appends what it saw, one fact per
// line:
//   exe <its own path>      cwd <its current directory>
//   arg <each argument after the program name, as it came>
// and, on request (words of the arguments too, which on POSIX systems come
// as one argument):
//   --sleep      waits 300 ms before the last line, so that a parent that
//                does not wait would find the log incomplete
//   --interrupt  (POSIX) sends SIGINT and SIGQUIT to its parent
//   --signals    (POSIX) "sigint", "sigquit": default, ignored or handled;
//                "blocked": yes when any signal is blocked
//   --fds        (POSIX) "fd <target>" for each open file descriptor
//   --env        "env <value of CORRIVEX_PRIMITIVES_PROBE>"
//   --priority   (Windows) "priority normal", or its priority class in hex
// The last line is "end".
#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <climits>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string ownPath() {
#ifdef _WIN32
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
#else
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
#endif
}

std::string currentDirectory() {
#ifdef _WIN32
    char path[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
    return std::string(path, length);
#else
    char path[PATH_MAX];
    return getcwd(path, sizeof path) ? std::string(path) : std::string();
#endif
}

#ifndef _WIN32
const char* disposition(int signal) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    if (action.sa_handler == SIG_DFL) return "default";
    if (action.sa_handler == SIG_IGN) return "ignored";
    return "handled";
}

bool anyBlocked() {
    sigset_t blocked;
    sigprocmask(SIG_BLOCK, nullptr, &blocked);
    for (int signal = 1; signal < NSIG; ++signal) {
        if (sigismember(&blocked, signal) == 1) return true;
    }
    return false;
}

void listDescriptors(std::FILE* log) {
    DIR* directory = opendir("/proc/self/fd");
    if (directory == nullptr) return;
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        char target[PATH_MAX];
        const ssize_t length = readlink(("/proc/self/fd/" + name).c_str(), target, sizeof target);
        if (length > 0) std::fprintf(log, "fd %.*s\n", static_cast<int>(length), target);
    }
    closedir(directory);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        for (std::size_t start = argument.find_first_not_of(' '); start != std::string::npos;) {
            const std::size_t end = argument.find(' ', start);
            words.push_back(argument.substr(start, end - start));
            start = end == std::string::npos ? end : argument.find_first_not_of(' ', end);
        }
    }
    if (words.empty()) return 2;
    std::FILE* log = std::fopen(words.front().c_str(), "ab");
    if (log == nullptr) return 3;

    bool sleep = false;
    std::fprintf(log, "exe %s\ncwd %s\n", ownPath().c_str(), currentDirectory().c_str());
    for (int i = 1; i < argc; ++i) std::fprintf(log, "arg %s\n", argv[i]);
    for (const std::string& word : words) {
        if (word == "--sleep") sleep = true;
        if (word == "--env") {
            const char* value = std::getenv("CORRIVEX_PRIMITIVES_PROBE");
            std::fprintf(log, "env %s\n", value ? value : "(unset)");
        }
#ifdef _WIN32
        if (word == "--priority") {
            const DWORD priority = GetPriorityClass(GetCurrentProcess());
            if (priority == NORMAL_PRIORITY_CLASS) {
                std::fprintf(log, "priority normal\n");
            } else {
                std::fprintf(log, "priority %lx\n", static_cast<unsigned long>(priority));
            }
        }
#else
        if (word == "--interrupt") {
            kill(getppid(), SIGINT);
            kill(getppid(), SIGQUIT);
        }
        if (word == "--signals") {
            std::fprintf(log, "sigint %s\nsigquit %s\nblocked %s\n", disposition(SIGINT), disposition(SIGQUIT),
                         anyBlocked() ? "yes" : "no");
        }
        if (word == "--fds") listDescriptors(log);
#endif
    }
    std::fflush(log);
    if (sleep) std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::fprintf(log, "end\n");
    std::fclose(log);
    return 0;
}
