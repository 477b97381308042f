// The console host on a POSIX terminal: a Windows-style screen buffer whose
// window is drawn on an xterm-compatible terminal, and keys and mouse
// actions read from it.
//
// The buffer starts as large as the terminal (80 x 25 without one); the
// window is always as large as the terminal allows. The terminal is shown the
// buffer when the program waits for input, before a child process takes the
// terminal and at the end, and then gets only what differs from what it
// shows: states the buffer passes through in between are never sent. No
// alternate screen is used: what the run leaves stays on the terminal. Input
// modes map to the line discipline (no line input, echo or processed input:
// raw keys, Ctrl+C as a key) and mouse input to the terminal's mouse
// reporting.
//
// Around a child process that shares the terminal, the terminal gets back
// the settings of the start, the text attribute's colours and the cursor at
// the buffer's cursor; afterwards the host's settings come back. What the
// terminal then shows is the child's, not the buffer's: lines written to the
// console go out as text where the child left the cursor, below what it
// wrote, and the screen is drawn again whole only at the next other change
// of what the buffer shows (a dialog, a cleared screen).
//
// When the host ends, the terminal gets back the settings of the start, no
// mouse reporting, the cursor shown, its own colours and the window title it
// had before the first drawing (saved on xterm's title stack). A stop of the
// process gives it back in the same way; on continuing, the host takes its
// modes again and draws the screen whole.
#pragma once

#include <cstdint>
#include <deque>
#include <string_view>

#include "platform/screen_buffer.h"
#include "terminal/terminal_input_decoder.h"
#include "terminal/terminal_modes_posix.h"
#include "terminal/terminal_renderer.h"

namespace corrivex::platform {

class TerminalConsoleHost : public ScreenBuffer {
public:
    // `inputFd`: the terminal that keys come from (-1, or no terminal: input
    // reads as closed). `outputFd`: where the screen is drawn (-1: nothing
    // is shown). A process-wide host also puts the terminal back when the
    // process is ended by a signal, and follows the terminal's size.
    TerminalConsoleHost(int inputFd, int outputFd, bool processWide);
    ~TerminalConsoleHost() override;

    TerminalConsoleHost(const TerminalConsoleHost&) = delete;
    TerminalConsoleHost& operator=(const TerminalConsoleHost&) = delete;

    bool hasOutput() const override { return outputFd_ >= 0; }
    // The window is the terminal's size, clipped to the buffer: a larger
    // window is cut at its right and bottom, and a change of the buffer or
    // of the terminal brings the window to that size again.
    void setWindow(CellRect window) override;
    void setBufferSize(CellPos size) override;
    void setInputMode(std::uint32_t mode) override;
    void setOutputMode(std::uint32_t mode) override;
    bool readInput(InputEvent& event) override;
    void beginChild() override;
    void endChild() override;
    void beginLine() override;
    void endLine(const Cell* cells, int count) override;

    // The terminal's size was (or may have been) changed: read it again,
    // draw the screen again at the next present and report a Resize event.
    // The process-wide host calls it on SIGWINCH.
    void terminalResized();

    // Brings the terminal to what the buffer shows, when that changed. The
    // host does it itself when input is read, before a child and at its end.
    void present();

    CellPos terminalSize() const { return terminal_; }

protected:
    void changed() override;

private:
    void send(std::string_view bytes) const;
    void applyModes();
    void takeResize();
    // Input has ended or failed: the keys the decoder still holds come
    // out, then reads find input closed.
    void closeInput();
    // After a stop: the modes taken again, the screen drawn whole.
    void continued(bool givenBack);
    // Brings the window to the terminal's size clipped to the buffer.
    void followTerminal();

    int inputFd_ = -1;
    int outputFd_ = -1;
    bool processWide_ = false;
    TerminalModes modes_;
    CellPos terminal_{80, 25};
    TerminalRenderer renderer_;
    TerminalInputDecoder decoder_;
    std::deque<InputEvent> queued_;  // resize events
    std::int64_t lastInputMs_ = 0;
    bool inputClosed_ = false;

    bool inputModeSet_ = false;  // the terminal follows the console modes from the first set on
    bool outputModeSet_ = false;
    bool mouseReporting_ = false;  // as the terminal has it now
    bool autowrap_ = true;
    bool childRunning_ = false;
    // Nothing drawn since the start or since the last child: the terminal
    // shows what it showed then, until the buffer's looks change.
    bool lazy_ = true;
    TerminalFrame lazyBase_;   // the looks of then, and of the lines sent since
    bool afterChild_ = false;  // lazy since a child: lines go out as text
    bool lineAsText_ = false;  // the line being written does
    bool painted_ = false;
    bool dirty_ = false;  // changed since the last present
};

}  // namespace corrivex::platform
