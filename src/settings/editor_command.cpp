#include "settings/editor_command.h"

#include "primitives/directory.h"

namespace corrivex::settings {

Text editorCommand(const Text& editor, const Text& separator, const Text& startDir, const Text& fileName) {
    // One pass turns each pair into one from left to right; the second pass
    // reduces what is left of runs of three or four.
    // The file name holds no separator, so it is joined after the collapse.
    return editor + "  " + collapseDoubledSeparators(startDir + separator, separator, 2) + fileName;
}

}  // namespace corrivex::settings
