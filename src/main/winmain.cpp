#include "main/winmain.h"

#include <memory>
#include <new>

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

namespace {

void run(void* instance, RunState& state) {
    console::startConsoleTools(instance);
    state.StartDir = startDirectoryFrom(currentDir());
    console::showFirstScreen();

    if (settings::checkBatchSettings(state.StartDir) == settings::GateResult::End) return;

    console::showSelectionWindow();
    selection::discoverDataFiles(state.FileNames, state.FileNameCount, state.BaseNames, state.BaseNameCount);
    console::printInstructions();
    selection::selectDataSets(state.BaseNames, state.BaseNameCount, state.Selection, state.ChosenNames,
                              state.ChosenCount);
    launch::launchEngine(state.StartDir, state.ChosenNames, state.ChosenCount);
}

}  // namespace

int WINMAIN(void* instance, void* /*previousInstance*/, const char* /*commandTail*/, int /*showState*/) {
    // The run state is large (three tables of 1000 texts): it lives on the
    // heap for the run and is released when the run ends. When it cannot be
    // had, the failure goes to the process frame before the first step.
    // Its texts start empty by their own constructors: the 96 KB are not
    // zeroed first.
    auto state = std::make_unique_for_overwrite<RunState>();

    // Past the first step the primitives give their neutral results for want
    // of memory; a step that runs out of memory itself ends the run as the
    // refusal at the gate does.
    try {
        run(instance, *state);
    } catch (const std::bad_alloc&) {
    }
    return 0;
}

}  // namespace corrivex
