// A program running in a detached tmux session of its own, for end-to-end
// tests: the harness starts it in a pane of a given size, types keys into
// it, reads the screen back with its colours, and records how it ended.
//
//   TmuxSession session({.command = {"/path/prog"}, .workingDirectory = dir,
//                        .environment = {{"NAME", "value"}}, .columns = 80, .rows = 30});
//   ASSERT_TRUE(session.waitForText("Select files", 60s)) << session.lastScreen().describe();
//   session.sendKeys({"Down", "Space", "Enter"});     // tmux key names: C-c, Escape, F1...
//   session.sendBytes("\033[<0;10;5M");                // raw bytes (an SGR mouse report)
//   Screen screen = session.capture();                 // cells: glyph, colours, attributes
//   std::optional<int> code = session.waitForExit(60s);
//
// Each session has its own tmux server on a private socket in a private
// control directory, so tests never touch the user's tmux and may run in
// parallel. The server reads no configuration of the user: its options are
// written by the harness (no status line, the given default terminal). The
// pane's program is run by a small shell script that changes to the working
// directory, sets the environment, runs the program, and then records its
// exit code and the terminal's settings (`stty -a`) before idling, so the
// pane and its last screen stay until the session is destroyed (exit code
// 125 when the working directory cannot be entered). The destructor kills
// the server and removes the control directory; should the test process die
// first, a watchdog in the pane does both.
//
// tmux needs no terminal of its own here: the server runs detached and every
// command is a short-lived client with TERM set.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "screen.h"
#include "temp_dir.h"

namespace corrivex::e2e {

struct SessionOptions {
    std::vector<std::string> command;                              // program and arguments
    std::filesystem::path workingDirectory;                        // empty: the test's current directory
    std::vector<std::pair<std::string, std::string>> environment;  // set for the program only
    int columns = 80;
    int rows = 30;
    std::string terminal = "xterm-256color";  // TERM inside the pane
};

class TmuxSession {
public:
    using Duration = std::chrono::milliseconds;

    // The tmux program to use (CORRIVEX_E2E_TMUX, else tmux from PATH); empty
    // when there is none.
    static std::string tmuxProgram();

    // Starts the session; throws std::runtime_error when tmux cannot.
    explicit TmuxSession(SessionOptions options);
    ~TmuxSession();
    TmuxSession(const TmuxSession&) = delete;
    TmuxSession& operator=(const TmuxSession&) = delete;

    const SessionOptions& options() const { return options_; }

    // The pane as it is now. Also kept as lastScreen().
    Screen capture();
    const Screen& lastScreen() const { return last_; }

    // The pane's title, as the program set it (OSC 0 / OSC 2).
    std::string title();
    // Any tmux format of the pane, e.g. "#{mouse_any_flag}".
    std::string paneFormat(const std::string& format);
    // Makes the pane columns x rows, as a user resizing the terminal does.
    void resize(int columns, int rows);

    // tmux key names, each one key press: "Down", "Space", "Enter", "C-c",
    // "Escape", "a"...
    void sendKeys(const std::vector<std::string>& keys);
    // Text typed as it stands, character by character.
    void sendText(std::string_view text);
    // Raw bytes, as if the terminal had sent them.
    void sendBytes(std::string_view bytes);

    // Polls the screen until `condition` holds, `timeout` has passed or the
    // program has ended; lastScreen() then holds the screen last looked at.
    bool waitFor(const std::function<bool(const Screen&)>& condition, Duration timeout);
    bool waitForText(std::string_view text, Duration timeout);

    // The program's exit code once it has ended, without waiting.
    std::optional<int> exitCode() const;
    // Waits for the program to end; nullopt on timeout.
    std::optional<int> waitForExit(Duration timeout);
    // `stty -a` of the pane's terminal, taken just after the program ended
    // (empty before that).
    std::string terminalSettingsAfterExit() const;

private:
    // Runs one tmux command against this session's server; its output.
    std::string run(const std::vector<std::string>& args, bool mustSucceed = true) const;

    SessionOptions options_;
    TempDir control_;
    std::filesystem::path socket_;
    Screen last_;
};

// `command` run inside GNU screen (which gives it TERM=screen), reading no
// screenrc; empty when screen is not installed.
std::vector<std::string> inGnuScreen(const std::vector<std::string>& command);

// True when the `stty -a` output shows the flag switched on (e.g. "echo",
// "icanon"); false when it shows "-flag" or does not name it.
bool sttyFlagOn(const std::string& sttyOutput, const std::string& flag);

}  // namespace corrivex::e2e
