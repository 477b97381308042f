// Gives the terminal back as the process found it when the process ends by
// a signal from outside (every signal whose default action ends the process:
// SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1, SIGALRM, SIGABRT, …): the line
// discipline's settings of the start, no mouse reporting, the cursor shown,
// the terminal's own colours and, once the host has saved it, the window
// title of the start. The signal then takes its default course.
//
// A stop (SIGTSTP) gives the terminal back in the same way before the
// process stops; when it is continued (SIGCONT), the host is told
// (takeTerminalContinued, with a SIGWINCH to wake it) so that it takes its
// modes again and draws the screen whole. While a child process has the
// terminal, a stop leaves the terminal to it.
//
// Everything the handlers need is prepared when the guard is armed, so that
// they make only async-signal-safe calls. Signals that the process ignored at
// the start stay ignored, and a handler someone else installed stays. A
// process forked from this one, that has not yet started its own program,
// leaves the terminal alone.
#pragma once

#include <termios.h>

namespace corrivex::platform {

// `termiosFd` (or -1) gets `start` back; `outputFd` (or -1) gets the restore
// sequence.
void armTerminalExitGuard(int termiosFd, const termios& start, int outputFd);
void disarmTerminalExitGuard();

// What the handlers do, for the normal end as well.
void restoreTerminalAtExit();

// The host saved the terminal's window title: it is given back too.
void noteTitleSaved();
// A child process has the terminal (true) or has given it back (false).
void noteTerminalHandedOver(bool handedOver);
// True once after the process was continued from a stop (or after a stop
// that did not happen); `givenBack` tells whether the terminal was given
// back for it, once.
bool takeTerminalContinued(bool& givenBack);

}  // namespace corrivex::platform
