#include "settings/batch_gate.h"

#include <cstdint>
#include <string_view>

#include "console/console_output.h"
#include "console_tools/console_tools.h"
#include "primitives/directory.h"
#include "primitives/process.h"
#include "primitives/text_file.h"
#include "settings/default_settings.h"
#include "settings/editor_command.h"

namespace corrivex::settings {

namespace {

constexpr FileNumber kReadFileNumber = 1;

constexpr std::string_view kBoxText = "Yes to edit batchs.ini, no to exit";
constexpr std::int32_t kBoxStyle = ctpro::kMbYesNo | ctpro::kMbIconHand | ctpro::kMbDefButton2;
constexpr std::string_view kBoxCaption = "First question in batchs.ini must be answered 'y'";
constexpr std::int32_t kBoxIcon = ctpro::kIdiQuestion;
constexpr std::int32_t kBoxReserved = 0x8000;

// Only the first character of the answer counts, and only an exact "y" or
// "Y": a leading blank, or a tab, is no.
bool batchModeOn(const Text& answer) {
    const Text first = trim(substring(answer, 1, 1));
    return first == "y" || first == "Y";
}

// Opens the settings file and reads the batch-mode answer. The file stays
// open (it may not have opened at all: then both reads are empty). Line 1,
// the question, is passed over unread, and with it the byte-order mark that
// an editor saving UTF-8 may put before it: the mark never reaches an
// answer.
bool readBatchMode(const Text& settingsFile) {
    openFile(kReadFileNumber, settingsFile, FileMode::Input);
    readLine(kReadFileNumber);  // the question
    return batchModeOn(readLine(kReadFileNumber));
}

// The editor on the start directory's settings file (under the name it is
// stored under, which may differ in letter case), waited for. Without a start
// directory the path would name a file at the root: nothing is run. A command
// beyond the platform's limit is not run either (runCommand). The editor is
// a command of the system: a program of that name in the start directory,
// which holds whatever the course brings, is never run in its place.
void editSettings(const Text& StartDir, const Text& settingsFile) {
    if (StartDir.empty()) return;
    runCommand(editorCommand(textEditor(), pathSeparator(), StartDir, storedFileName(settingsFile)), kShowNormal, true,
               ProgramSearch::PathOnly);
}

}  // namespace

GateResult checkBatchSettings(const Text& StartDir) {
    const Text settingsFile(kSettingsFileName);

    // An earlier run ended while it wrote the default file may have left its
    // temporary file; on every run, since a settings file may be there by now.
    removeLeftovers(settingsFile);
    if (!fileExists(settingsFile)) {
        writeDefaultSettings();
        // No settings file can be had: no gate.
        if (!fileExists(settingsFile)) return GateResult::GoOn;
    }

    while (!readBatchMode(settingsFile)) {
        closeFile(kReadFileNumber);
        console::printLine(Text());
        const std::int32_t answer =
            tools::consoleMessageBox(Text(kBoxText), kBoxStyle, Text(kBoxCaption), kBoxIcon, kBoxReserved);
        if (answer != ctpro::kIdYes) return GateResult::End;
        editSettings(StartDir, settingsFile);
    }

    for (int line = kBatchModeLine + 1; line < kCoursePathLine; ++line) readLine(kReadFileNumber);
    // The course path as the file holds it: ANSI text, or UTF-8 as today's
    // Notepad saves it. Refused when empty or beyond the platform's limit.
    const Text coursePath = trim(readLine(kReadFileNumber));
    changeDirAnsiOrUtf8(coursePath);
    closeFile(kReadFileNumber);
    return GateResult::GoOn;
}

}  // namespace corrivex::settings
