// The fixed sequences of console and console tools calls that the run driver
// runs at its steps.
#pragma once

namespace corrivex::console {

// Console tools start: InitConsoleTools, ConsoleToolBar, ConsoleMove, ConsoleIcon.
void startConsoleTools(void* instance);
// Mouse input on, yellow on green, screen cleared.
void showFirstScreen();
// The welcome window, then the 80 x 30 black on bright white selection window.
void showSelectionWindow();
// The two instruction lines in light magenta, between two ConsoleToTop calls.
void printInstructions();

}  // namespace corrivex::console
