#include "main/winmain.h"

#include <memory>

#include "console/sequences.h"
#include "launch/launch_engine.h"
#include "main/run_state.h"
#include "primitives/directory.h"
#include "selection/discovery.h"
#include "selection/select_data_sets.h"
#include "settings/batch_gate.h"

namespace corrivex {

Text startDirectoryFrom(const Text& current) {
    // One pass; a network path keeps its leading pair.
    return collapseDoubledSeparators(current, pathSeparator(), 1);
}

int WINMAIN(void* instance, void* /*previousInstance*/, const char* /*commandTail*/, int /*showState*/) {
    // The run state is large (three tables of 1000 texts): it lives on the
    // heap for the run and is released when the run ends.
    auto state = std::make_unique<RunState>();

    console::startConsoleTools(instance);
    state->StartDir = startDirectoryFrom(currentDir());
    console::showFirstScreen();

    if (settings::checkBatchSettings(state->StartDir) == settings::GateResult::End) return 0;

    console::showSelectionWindow();
    selection::discoverDataFiles(state->FileNames, state->FileNameCount, state->BaseNames, state->BaseNameCount);
    console::printInstructions();
    selection::selectDataSets(state->BaseNames, state->BaseNameCount, state->Selection, state->ChosenNames,
                              state->ChosenCount);
    launch::launchEngine(state->StartDir, state->ChosenNames, state->ChosenCount);
    return 0;
}

}  // namespace corrivex
