// The process frame on a POSIX terminal.
//
// The command line is ignored, as the Windows program ignores it, but for
// --help and --version, which a Linux user tries first: the first of them
// given is answered on standard output before anything else happens, so
// that nothing of the terminal, the directory or batchs.ini is touched.
#include <cstdio>
#include <string_view>

#include "main/process_frame.h"
#include "process_console/process_console.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: corrivex [--help | --version]\n"
    "\n"
    "Lets you choose data sets of a course and runs the statistics engine\n"
    "Quelmark.exe once for each of them, one after the other.\n"
    "\n"
    "Start it in the directory that holds batchs.ini and Quelmark.exe, the start\n"
    "directory. It writes the default batchs.ini there when there is none, and\n"
    "offers to open the file in the text editor until its first answer is y.\n"
    "It then lists the *.txt and *.dat files of the course directory named on\n"
    "the file's last line (or of the start directory) and runs the engine in the\n"
    "start directory for each data set you mark.\n"
    "\n"
    "The keys and mouse actions of its dialogs: man corrivex\n";

constexpr std::string_view kVersion = "corrivex " CORRIVEX_VERSION "\n";

// The answer to the first --help or --version among the arguments, or an
// empty text when there is none.
std::string_view answerTo(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") return kUsage;
        if (argument == "--version") return kVersion;
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (const std::string_view answer = answerTo(argc, argv); !answer.empty()) {
        std::fwrite(answer.data(), 1, answer.size(), stdout);
        return 0;
    }
    return corrivex::runProcess(corrivex::platform::consoleHost, nullptr, "", 1);
}
