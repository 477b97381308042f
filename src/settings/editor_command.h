// The command line that opens the start directory's batchs.ini in the
// platform's text editor.
#pragma once

#include "primitives/text.h"
#include "settings/default_settings.h"

namespace corrivex::settings {

// `editor`, two blanks, `startDir`, `separator` and `fileName` ("batchs.ini",
// or the name it is stored under), unquoted, with runs of doubled separators
// collapsed by two passes (so that a start directory at a root, which ends in
// the separator, gives a single one). The leading pair of a network path (two
// separators and a server name) stays.
Text editorCommand(const Text& editor, const Text& separator, const Text& startDir,
                   const Text& fileName = Text(kSettingsFileName));

}  // namespace corrivex::settings
