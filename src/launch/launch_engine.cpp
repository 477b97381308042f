#include "launch/launch_engine.h"

#include <algorithm>
#include <string_view>

#include "console/console_output.h"
#include "primitives/directory.h"
#include "primitives/process.h"

namespace corrivex::launch {

namespace {

std::string_view reasonFor(StartResult result) {
    switch (result) {
        case StartResult::NotFound: return "not found";
        case StartResult::NotExecutable: return "not executable";
        case StartResult::TooLong: return "command line too long";
        default: return "refused by the system";
    }
}

// A run that did not happen is no silent success: one line says so.
void reportNotStarted(const Text& dataSet, std::string_view reason) {
    console::printLine("Could not start " + Text(kEngineProgram) + " for " + dataSet + ": " + Text(reason));
}

}  // namespace

Text engineCommand(const Text& dataSet) { return Text(kEngineProgram) + "   " + dataSet; }

void launchEngine(const Text& StartDir, const NameList& ChosenNames, std::int16_t ChosenCount) {
    changeDir(StartDir);
    // Where the start directory could not be made current again (it has
    // gone, or its name cannot be given back to the platform), the engine
    // would run elsewhere, with another batchs.ini or another Quelmark.exe.
    // A start directory that could not be left counts as reached.
    const bool inStartDirectory = !StartDir.empty() && currentDir() == StartDir;
    const int runs = std::clamp<int>(ChosenCount, 0, kNameSlots);
    for (int i = 0; i < runs; ++i) {
        if (!inStartDirectory) {
            reportNotStarted(ChosenNames[i], "start directory unreachable");
            continue;
        }
        const StartResult result = runCommand(engineCommand(ChosenNames[i]), kShowNormal, true);
        if (result != StartResult::Started) reportNotStarted(ChosenNames[i], reasonFor(result));
    }
}

}  // namespace corrivex::launch
