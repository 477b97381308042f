#include "selection/select_data_sets.h"

#include "console/console_output.h"
#include "console_tools/console_tools.h"
#include "primitives/directory.h"
#include "selection/chosen_names.h"

namespace corrivex::selection {

void selectDataSets(const NameList& BaseNames, std::int16_t BaseNameCount, Text& Selection, NameList& ChosenNames,
                    std::int16_t& ChosenCount) {
    Selection = tools::consoleListBox(3, 0, 0, currentDir(), " <ctl> click for mult. selection", BaseNames, 0, 1, 0);
    console::clearScreen();
    splitSelection(Selection, BaseNameCount, ChosenNames, ChosenCount);
}

}  // namespace corrivex::selection
