#include "launch/launch_engine.h"

#include <algorithm>

#include "primitives/directory.h"
#include "primitives/process.h"

namespace corrivex::launch {

Text engineCommand(const Text& dataSet) { return Text(kEngineProgram) + "   " + dataSet; }

void launchEngine(const Text& StartDir, const NameList& ChosenNames, std::int16_t ChosenCount) {
    changeDir(StartDir);
    // Where the start directory could not be made current again (it has
    // gone, or its name cannot be given back to the platform), the engine
    // would run elsewhere, with another batchs.ini or another Quelmark.exe.
    // A start directory that could not be left counts as reached.
    if (StartDir.empty() || currentDir() != StartDir) return;
    const int runs = std::clamp<int>(ChosenCount, 0, kNameSlots);
    for (int i = 0; i < runs; ++i) runCommand(engineCommand(ChosenNames[i]), kShowNormal, true);
}

}  // namespace corrivex::launch
