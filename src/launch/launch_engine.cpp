#include "launch/launch_engine.h"

#include <algorithm>

#include "primitives/directory.h"
#include "primitives/process.h"

namespace corrivex::launch {

Text engineCommand(const Text& dataSet) { return Text(kEngineProgram) + "   " + dataSet; }

void launchEngine(const Text& StartDir, const NameList& ChosenNames, std::int16_t ChosenCount) {
    changeDir(StartDir);
    const int runs = std::clamp<int>(ChosenCount, 0, kNameSlots);
    for (int i = 0; i < runs; ++i) runCommand(engineCommand(ChosenNames[i]), kShowNormal, true);
}

}  // namespace corrivex::launch
