#include "console/sequences.h"

#include "console/console_output.h"
#include "console_tools/console_tools.h"

namespace corrivex::console {

namespace {

constexpr int kYellow = 14;
constexpr int kGreen = 2;
constexpr int kBlack = 0;
constexpr int kBrightWhite = 15;
constexpr int kLightMagenta = 13;
constexpr int kUnchanged = -1;

}  // namespace

void startConsoleTools(void* instance) {
    tools::initConsoleTools(instance, 128, 32, 3, 0);
    tools::consoleToolBar(0, 99);
    tools::consoleMove(ctpro::kCentre, ctpro::kCentre);
    tools::consoleIcon(ctpro::kIdiAsterisk);
}

void showFirstScreen() {
    enableMouseInput();
    setTextColors(kYellow, kGreen);
    clearScreen();
}

void showSelectionWindow() {
    // The welcome window.
    setScreenSize(80, 25);
    setTextColors(kBlack, kBrightWhite);
    clearScreen();
    enableMouseInput();
    tools::consoleIcon(tools::kIdiInformation);
    tools::consoleTitle("Welcome to the Corrivex: good luck");
    tools::deleteWindowMenuItem(ctpro::kScClose);
    tools::deleteWindowMenuItem(ctpro::kScMinimize);
    tools::deleteWindowMenuItem(ctpro::kScSize);
    tools::deleteWindowMenuItem(ctpro::kScMaximize);
    tools::defaultWindowMenu();
    tools::deleteWindowMenuItem(ctpro::kScMinimize);
    tools::deleteWindowMenuItem(ctpro::kScSize);
    tools::deleteWindowMenuItem(ctpro::kScMaximize);

    // The selection window.
    setWindowTitle("Select files for statistical detection");
    setScreenSize(80, 30);
    setTextColors(kBlack, kBrightWhite);
    clearScreen();
}

void printInstructions() {
    tools::consoleToTop();
    setTextColors(kLightMagenta, kUnchanged);
    printLine("");
    printLine("");
    printLine("                                   Make simultaneous choices ");
    printLine("                                   with <ctrl> click, then press OK");
    tools::consoleToTop();
}

}  // namespace corrivex::console
