#include "settings/editor_command.h"

#include "settings/default_settings.h"

namespace corrivex::settings {

namespace {

// One pass turns each pair into one from left to right; the second pass
// reduces what is left of runs of three or four.
Text collapseSeparators(const Text& text, const Text& separator) {
    const Text doubled = separator + separator;
    return replaceAll(replaceAll(text, doubled, separator), doubled, separator);
}

bool isNetworkPath(const Text& path, const Text& separator) {
    const Text doubled = separator + separator;
    return path.size() > doubled.size() && path.compare(0, doubled.size(), doubled) == 0 &&
           path.compare(doubled.size(), separator.size(), separator) != 0;
}

}  // namespace

Text editorCommand(const Text& editor, const Text& separator, const Text& startDir) {
    const Text file = startDir + separator + Text(kSettingsFileName);
    if (separator.empty() || !isNetworkPath(startDir, separator)) {
        return collapseSeparators(editor + "  " + file, separator);
    }
    const Text doubled = separator + separator;
    return editor + "  " + doubled + collapseSeparators(file.substr(doubled.size()), separator);
}

}  // namespace corrivex::settings
