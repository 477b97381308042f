#include "settings/default_settings.h"

#include "primitives/directory.h"
#include "primitives/text_file.h"

namespace corrivex::settings {

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

    // Whole or not at all: a file cut short by a full disk or by the end of
    // the process would be kept by every later run, and the gate would read
    // the answers it lacks as empty.
    writeNewFile(name, kDefaultSettings);
}

}  // namespace corrivex::settings
