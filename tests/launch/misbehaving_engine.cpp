// An engine for the launch tests. Like the stand-in engine it appends its
// current directory and its arguments, separated by '|', to quelmark.log in
// its current directory. Then, by its first argument:
//   SLOW    it waits half a second before it logs and ends;
//   CRASH   it dies of an access violation / segmentation fault;
//   KILLED  it is killed (SIGKILL, or terminated on Windows);
//   HOLD    it waits until a file named "release" is in its current
//           directory, and logs only then (an interrupt ends it first);
//   ASK...  (any name that begins so) it asks "Answer for NAME?", reads one
//           line from standard input with fgets, and logs only then, with
//           what it read as one more field (CR and LF written as \r and
//           \n; "(nothing)" when it read nothing);
//   any other name: it ends normally.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

[[noreturn]] void crash() {
#ifdef _WIN32
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
#endif
    std::signal(SIGSEGV, SIG_DFL);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    std::raise(SIGSEGV);
    std::abort();
}

[[noreturn]] void killed() {
#ifdef _WIN32
    TerminateProcess(GetCurrentProcess(), 137);
#else
    std::raise(SIGKILL);
#endif
    std::abort();
}

// One line of standard input, as the log shows it.
std::string answer(const std::string& name) {
    std::printf("Answer for %s? ", name.c_str());
    std::fflush(stdout);
    char buffer[256];
    if (std::fgets(buffer, sizeof buffer, stdin) == nullptr) return "(nothing)";
    std::string shown;
    for (const char* c = buffer; *c != '\0'; ++c) {
        if (*c == '\r') {
            shown += "\\r";
        } else if (*c == '\n') {
            shown += "\\n";
        } else {
            shown += *c;
        }
    }
    return shown;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "SLOW") std::this_thread::sleep_for(std::chrono::milliseconds(500));
    if (first == "HOLD") {
        std::printf("Holding\n");
        std::fflush(stdout);
        while (!std::filesystem::exists("release")) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::string line = std::filesystem::current_path().string();
    for (int i = 1; i < argc; ++i) line += std::string("|") + argv[i];
    if (first.starts_with("ASK")) line += "|" + answer(first);
    if (std::FILE* log = std::fopen("quelmark.log", "ab")) {
        std::fputs((line + "\n").c_str(), log);
        std::fclose(log);
    }
    if (first == "CRASH") crash();
    if (first == "KILLED") killed();
    return 0;
}
