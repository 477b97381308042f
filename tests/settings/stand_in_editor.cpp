// A stand-in for the platform's text editor, started by the gate through the
// program search. It records how it was started and, when asked to, changes
// the batch-mode answer of the settings file it was given.
//
// Environment:
//   CORRIVEX_EDITOR_LOG     file to which each run appends its record
//   CORRIVEX_EDITOR_ANSWER  new text of line 2 (the file is left alone when unset)
//   CORRIVEX_EDITOR_DELETE  when set, the settings file is deleted instead
//   CORRIVEX_EDITOR_SCRIBBLE  when set, clears the terminal and writes on it,
//                           as a full-screen editor does (POSIX only)
//
// Record of a run: "run", then one "arg=" line per argument as the program
// got it (on Windows: one "command=" line with the whole command line), then
// "held=yes" or "held=no" for whether the file was open in this process or
// its parent (Linux only; "held=unknown" elsewhere).
#include "crlf_lines.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using corrivex::testing::splitCrlf;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

bool isSet(const char* name) { return std::getenv(name) != nullptr; }

// Whether a descriptor of process `pid` names the settings file.
std::string heldBy(const std::string& pid) {
#ifdef __linux__
    std::error_code error;
    for (fs::directory_iterator it("/proc/" + pid + "/fd", error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        const fs::path target = fs::read_symlink(it->path(), ignored);
        if (target.filename() == "batchs.ini") return "yes";
    }
    return "no";
#else
    (void)pid;
    return "unknown";
#endif
}

void setAnswer(const fs::path& file, const std::string& answer) {
    std::string bytes;
    {
        std::ifstream in(file, std::ios::binary);
        if (!in) return;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<std::string> lines = splitCrlf(bytes);
    if (lines.size() < 2) lines.resize(2);
    lines[1] = answer;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << "\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::string record = "run\n";
    fs::path file;
#ifdef _WIN32
    (void)argc;
    (void)argv;
    const std::string command = GetCommandLineA();
    record += "command=" + command + "\n";
    const std::size_t word = command.find(' ');
    if (word != std::string::npos) {
        const std::size_t name = command.find_first_not_of(' ', word);
        if (name != std::string::npos) file = command.substr(name);
    }
    record += "held=" + heldBy("") + "\n";
#else
    for (int i = 0; i < argc; ++i) record += std::string("arg=") + argv[i] + "\n";
    if (argc > 1) file = argv[1];
    const std::string self = heldBy("self");
    const std::string parent = heldBy(std::to_string(getppid()));
    record += "held=" + std::string(self == "yes" || parent == "yes" ? "yes" : self) + "\n";
#endif

    const std::string log = environment("CORRIVEX_EDITOR_LOG");
    if (!log.empty()) {
        std::ofstream out(log, std::ios::binary | std::ios::app);
        out << record;
    }
#ifndef _WIN32
    if (isSet("CORRIVEX_EDITOR_SCRIBBLE")) {
        std::fputs("\033[H\033[2Jscribbled by the editor\r\n", stdout);
        std::fflush(stdout);
    }
#endif
    if (file.empty()) return 1;
    if (isSet("CORRIVEX_EDITOR_DELETE")) {
        std::error_code ignored;
        fs::remove(file, ignored);
    } else if (isSet("CORRIVEX_EDITOR_ANSWER")) {
        setAnswer(file, environment("CORRIVEX_EDITOR_ANSWER"));
    }
    return 0;
}
