// Child processes on POSIX systems.
//
// The command line becomes the program and one argument (command_line.h);
// nothing is quoted and no shell ever sees it. The program: a word holding
// '/' is a path as it stands, any other is looked for in the order Windows
// uses (the front end's own directory, the current directory, then each
// directory of PATH) or along the absolute directories of PATH alone. While
// the front end waits, it ignores SIGINT and SIGQUIT (as system(3) does) and
// hands the terminal to the child through the console host.
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "primitives/child_console.h"
#include "primitives/command_line.h"
#include "primitives/length_limits.h"
#include "primitives/name_checks.h"
#include "primitives/out_of_memory.h"
#include "primitives/process.h"

extern char** environ;

namespace corrivex {
namespace {

// What a path holds for the program search: nothing of use, a file that
// cannot be run, or a program.
enum class Candidate { None, File, Program };

Candidate candidateAt(const Text& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return Candidate::None;
    return access(path.c_str(), X_OK) == 0 ? Candidate::Program : Candidate::File;
}

// The directory of the running program, from /proc/self/exe.
Text ownDirectory() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path) return Text();
    const Text program(path, static_cast<std::size_t>(length));
    const std::size_t slash = program.rfind('/');
    if (slash == Text::npos) return Text();
    return slash == 0 ? Text("/") : program.substr(0, slash);
}

Text inDirectory(const Text& directory, const Text& name) {
    return directory.ends_with('/') ? directory + name : directory + "/" + name;
}

// The path to start for the command's first word, or the empty text; then
// `found` tells whether a file of that name that is no program was met.
Text findProgram(const Text& word, ProgramSearch search, StartResult& found) {
    found = StartResult::NotFound;
    const auto take = [&found](const Text& candidate) {
        const Candidate kind = candidateAt(candidate);
        if (kind == Candidate::File) found = StartResult::NotExecutable;
        return kind == Candidate::Program;
    };
    if (word.find('/') != Text::npos) return take(word) ? word : Text();

    std::vector<Text> directories;
    const char* path = std::getenv("PATH");
    if (search == ProgramSearch::LikeWindows) {
        if (const Text own = ownDirectory(); !own.empty()) directories.push_back(own);
        directories.push_back(".");
    } else if (path == nullptr) {
        path = "/bin:/usr/bin";  // as execvp(3) looks without PATH
    }
    if (path != nullptr) {
        const Text list = path;
        std::size_t start = 0;
        for (;;) {
            const std::size_t colon = list.find(':', start);
            const Text directory = list.substr(start, colon == Text::npos ? Text::npos : colon - start);
            if (search == ProgramSearch::LikeWindows)
                directories.push_back(directory.empty() ? Text(".") : directory);  // an empty entry is "."
            else if (directory.starts_with('/'))  // no entry relative to the current directory
                directories.push_back(directory);
            if (colon == Text::npos) break;
            start = colon + 1;
        }
    }
    for (const Text& directory : directories) {
        const Text candidate = inDirectory(directory, word);
        if (take(candidate)) return candidate;
    }
    return Text();
}

// SIGINT and SIGQUIT ignored and SIGCHLD blocked for as long as the front end
// waits for a child; the previous state is put back afterwards.
class WaitSignals {
public:
    WaitSignals() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGINT, &ignore, &interrupt_);
        sigaction(SIGQUIT, &ignore, &quit_);
        sigset_t childSignal;
        sigemptyset(&childSignal);
        sigaddset(&childSignal, SIGCHLD);
        pthread_sigmask(SIG_BLOCK, &childSignal, &mask_);
    }
    ~WaitSignals() {
        sigaction(SIGINT, &interrupt_, nullptr);
        sigaction(SIGQUIT, &quit_, nullptr);
        pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
    }
    WaitSignals(const WaitSignals&) = delete;
    WaitSignals& operator=(const WaitSignals&) = delete;

private:
    struct sigaction interrupt_ {};
    struct sigaction quit_ {};
    sigset_t mask_{};
};

// The child starts as a freshly started program does: every signal at its
// default disposition and none blocked.
class SpawnAttributes {
public:
    SpawnAttributes() {
        posix_spawnattr_init(&attributes_);
        sigset_t signals;
        sigfillset(&signals);
        posix_spawnattr_setsigdefault(&attributes_, &signals);
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes_, &signals);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

// The argument vector of the words, ending in a null pointer.
std::vector<char*> argumentsOf(std::vector<Text>& words) {
    std::vector<char*> arguments;
    arguments.reserve(words.size() + 1);
    for (Text& word : words) arguments.push_back(word.data());
    arguments.push_back(nullptr);
    return arguments;
}

StartResult spawn(const Text& program, std::vector<char*>& arguments, pid_t& child) {
    const SpawnAttributes attributes;
    switch (posix_spawn(&child, program.c_str(), nullptr, attributes.get(), arguments.data(), environ)) {
        case 0: return StartResult::Started;
        case ENOENT: return StartResult::NotFound;  // gone since it was found
        case EACCES:
        case ENOEXEC:
        case ETXTBSY: return StartResult::NotExecutable;
        default: return StartResult::Refused;
    }
}

void waitFor(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

StartResult runCommand(const Text& commandLine, int showState, bool wait, ProgramSearch search) {
    (void)showState;  // a terminal has no window show state
    // Everything the child needs is made before the console is handed over;
    // without the memory for it, nothing runs. A command beyond the limit
    // would be cut: it is not run.
    if (!limits::fits(commandLine, limits::kCommandLine)) return StartResult::TooLong;
    if (names::holdsNul(commandLine)) return StartResult::Refused;
    StartResult result = StartResult::Refused;  // also when memory runs out
    memory::orNothing([&] {
        const CommandParts parts = splitCommandLine(commandLine);
        StartResult found = StartResult::NotFound;
        const Text program = parts.program.empty() ? Text() : findProgram(parts.program, search, found);
        if (program.empty()) {
            result = found;  // nothing runs, nothing is waited for
            return;
        }
        std::vector<Text> words{parts.program};
        if (parts.argument) words.push_back(*parts.argument);
        std::vector<char*> arguments = argumentsOf(words);

        pid_t child = 0;
        if (!wait) {
            result = spawn(program, arguments, child);
            return;
        }
        handOverConsole();
        {
            const WaitSignals waiting;
            result = spawn(program, arguments, child);
            if (result == StartResult::Started) waitFor(child);
        }
        takeBackConsole();
    });
    return result;
}

Text textEditor() { return "editor"; }

}  // namespace corrivex
