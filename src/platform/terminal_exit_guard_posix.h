// Gives the terminal back as the process found it when the process ends by
// a signal from outside (SIGTERM, SIGHUP, SIGINT, SIGQUIT): the line
// discipline's settings of the start, no mouse reporting, the cursor shown,
// the terminal's own colours. The signal then takes its default course.
//
// Everything the handlers need is prepared when the guard is armed, so that
// they make only async-signal-safe calls. Signals that the process ignored at
// the start stay ignored. A process forked from this one, that has not yet
// started its own program, leaves the terminal alone.
#pragma once

#include <termios.h>

namespace corrivex::platform {

// `termiosFd` (or -1) gets `start` back; `outputFd` (or -1) gets the restore
// sequence.
void armTerminalExitGuard(int termiosFd, const termios& start, int outputFd);
void disarmTerminalExitGuard();

// What the handlers do, for the normal end as well.
void restoreTerminalAtExit();

}  // namespace corrivex::platform
