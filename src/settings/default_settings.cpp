#include "settings/default_settings.h"

#include "primitives/directory.h"
#include "primitives/text_file.h"

namespace corrivex::settings {

namespace {
constexpr FileNumber kWriteFileNumber = 111;
}  // namespace

const std::array<std::string_view, kSettingsLines> kDefaultSettings = {
    "Activate the batch mode?",
    "n",
    "Display output files?",
    "n",
    "Display graph?",
    "n",
    "Create a BMP file for the graph?",
    "n",
    "Number of students (override file count) ?",
    "-1",
    "Number of questions (override file count)?",
    "-1",
    "Start at question:",
    "1",
    "Identify suspects by name?",
    "y",
    "Identify all students by name (must identify suspects)?",
    "n",
    "Produce Excel file (must identify all students)?",
    "n",
    "Enter pre-selected pairs?",
    "n",
    "Set Bonferroni bound:",
    ".1",
    "Use T optimization?",
    "n",
    "Specify path to course files (eg. c:\\courses\\)",
    "c:\\zelqa",
};

void writeDefaultSettings() {
    const Text name(kSettingsFileName);
    // Any entry of that name, also a hidden or system file or a directory
    // (which the existence test does not see), is somebody's: it is left as
    // it is.
    if (!dirFirst(name, attr::kHidden | attr::kSystem | attr::kDirectory).empty()) return;

    openFile(kWriteFileNumber, name, FileMode::Output);
    for (const std::string_view line : kDefaultSettings) writeLine(kWriteFileNumber, Text(line));
    closeFile(kWriteFileNumber);
}

}  // namespace corrivex::settings
