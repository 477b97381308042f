#include "tmux_session.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <unistd.h>

#include "run_command.h"

namespace corrivex::e2e {
namespace {

constexpr const char* kSession = "e2e";
constexpr auto kPollInterval = std::chrono::milliseconds(100);

std::string shellQuoted(std::string_view s) {
    std::string quoted = "'";
    for (char c : s) {
        if (c == '\'') quoted += "'\\''";
        else quoted += c;
    }
    return quoted + "'";
}

std::string hexBytes(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0x0F];
    }
    return hex;
}

void writeControlFile(const std::filesystem::path& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary);
    out << contents;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string readControlFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

// The environment of every tmux client: a terminal type (a detached server
// has no terminal, and CI may have no TERM), a UTF-8 locale for the capture,
// and nothing that ties the client to an outer tmux.
std::vector<EnvChange> clientEnvironment() {
    std::vector<EnvChange> env{{"TERM", "xterm-256color"}, {"TMUX", "", true}, {"TMUX_PANE", "", true}};
    if (std::getenv("LC_ALL") == nullptr && std::getenv("LC_CTYPE") == nullptr && std::getenv("LANG") == nullptr)
        env.push_back({"LANG", "C.UTF-8"});
    return env;
}

}  // namespace

std::string TmuxSession::tmuxProgram() {
    const char* configured = std::getenv("CORRIVEX_E2E_TMUX");
    if (configured != nullptr && *configured != '\0') return findInPath(configured);
#ifdef CORRIVEX_E2E_TMUX_DEFAULT
    if (std::string found = findInPath(CORRIVEX_E2E_TMUX_DEFAULT); !found.empty()) return found;
#endif
    return findInPath("tmux");
}

TmuxSession::TmuxSession(SessionOptions options) : options_(std::move(options)), control_("corrivex-tmux") {
    if (options_.command.empty()) throw std::invalid_argument("TmuxSession: no command");
    if (tmuxProgram().empty()) throw std::runtime_error("TmuxSession: tmux not found");
    socket_ = control_.path() / "socket";

    const std::filesystem::path& dir = control_.path();
    const std::string size = std::to_string(options_.columns) + "x" + std::to_string(options_.rows);
    writeControlFile(dir / "tmux.conf", "set -g default-terminal " + shellQuoted(options_.terminal) + "\n" +
                                            "set -g status off\n"
                                            "set -g history-limit 0\n"
                                            "set -g exit-empty on\n"
                                            "set -g default-size " +
                                            size + "\n");

    const std::string control = shellQuoted(dir.string());
    const std::string startDir =
        shellQuoted(options_.workingDirectory.empty() ? std::filesystem::current_path().string()
                                                      : options_.workingDirectory.string());
    std::string script;
    // Should the test end without destroying the session (a crash, a
    // timeout), the server and the control directory go with it.
    script += "( trap '' HUP\n";
    script +=
        "  while kill -0 " + std::to_string(getpid()) + " 2>/dev/null && [ -d " + control + " ]; do sleep 1; done\n";
    script += "  " + shellQuoted(tmuxProgram()) + " -S " + shellQuoted(socket_.string()) + " kill-server\n";
    script += "  rm -rf " + control + " ) </dev/null >/dev/null 2>&1 &\n";
    // Ctrl+C reaches the whole foreground process group of the pane, this
    // script included; an interactive shell would not be in it. A trap (reset
    // to the default in the program) keeps the script waiting.
    script += "trap : INT\n";
    script += "if cd " + startDir + "; then\n";
    for (const auto& [name, value] : options_.environment) script += "export " + shellQuoted(name + "=" + value) + "\n";
    for (const std::string& arg : options_.command) script += shellQuoted(arg) + " ";
    script += "\nrc=$?\nelse rc=125; fi\n";
    // Wine's console is a process of its own that gives the terminal its
    // modes back a moment after the program has ended: wait for that (three
    // seconds at most) before reading them.
    script += "i=0; while [ $i -lt 30 ] && stty -a 2>/dev/null | grep -q -- -icanon; do sleep 0.1; i=$((i+1)); done\n";
    script += "stty -a > " + control + "/stty-after 2>&1\n";
    script += "echo \"$rc\" > " + control + "/exit-code.tmp\n";
    script += "mv " + control + "/exit-code.tmp " + control + "/exit-code\n";
    // Keep the pane, and with it the last screen, until the session ends.
    script += "while :; do sleep 3600; done\n";
    writeControlFile(dir / "run.sh", script);

    run({"new-session", "-d", "-s", kSession, "-x", std::to_string(options_.columns), "-y",
         std::to_string(options_.rows), "/bin/sh", (dir / "run.sh").string()});
}

TmuxSession::~TmuxSession() { run({"kill-server"}, false); }

std::string TmuxSession::run(const std::vector<std::string>& args, bool mustSucceed) const {
    std::vector<std::string> argv{tmuxProgram(),    "-u", "-S",
                                  socket_.string(), "-f", (control_.path() / "tmux.conf").string()};
    argv.insert(argv.end(), args.begin(), args.end());
    CommandResult result = runCommand(argv, clientEnvironment());
    if (mustSucceed && result.exitCode != 0) {
        std::string what = "tmux";
        for (const std::string& a : args) what += " " + a;
        throw std::runtime_error(what + " failed (" + std::to_string(result.exitCode) + "): " + result.errors);
    }
    return result.output;
}

Screen TmuxSession::capture() {
    const std::string text = run({"capture-pane", "-p", "-e", "-N", "-t", kSession});
    last_ = parseCapture(text, options_.columns, options_.rows);
    return last_;
}

std::string TmuxSession::paneFormat(const std::string& format) {
    std::string value = run({"display-message", "-p", "-t", kSession, format});
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
    return value;
}

std::string TmuxSession::title() { return paneFormat("#{pane_title}"); }

void TmuxSession::resize(int columns, int rows) {
    run({"resize-window", "-t", kSession, "-x", std::to_string(columns), "-y", std::to_string(rows)});
    options_.columns = columns;
    options_.rows = rows;
}

void TmuxSession::sendKeys(const std::vector<std::string>& keys) {
    std::vector<std::string> args{"send-keys", "-t", kSession};
    args.insert(args.end(), keys.begin(), keys.end());
    run(args);
}

void TmuxSession::sendText(std::string_view text) {
    if (text.empty()) return;
    run({"send-keys", "-t", kSession, "-l", std::string(text)});
}

void TmuxSession::sendBytes(std::string_view bytes) {
    std::vector<std::string> args{"send-keys", "-t", kSession, "-H"};
    const std::string hex = hexBytes(bytes);
    for (std::size_t i = 0; i < hex.size(); i += 2) args.push_back(hex.substr(i, 2));
    if (args.size() > 4) run(args);
}

bool TmuxSession::waitFor(const std::function<bool(const Screen&)>& condition, Duration timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        // Once the program has ended the screen stays as it is: one last look.
        const bool ended = exitCode().has_value();
        if (condition(capture())) return true;
        if (ended || std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
}

bool TmuxSession::waitForText(std::string_view text, Duration timeout) {
    return waitFor([text](const Screen& screen) { return screen.contains(text); }, timeout);
}

std::optional<int> TmuxSession::exitCode() const {
    const std::filesystem::path file = control_.path() / "exit-code";
    if (!std::filesystem::exists(file)) return std::nullopt;
    std::istringstream in(readControlFile(file));
    int code = -1;
    if (!(in >> code)) return std::nullopt;
    return code;
}

std::optional<int> TmuxSession::waitForExit(Duration timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (auto code = exitCode()) {
            capture();
            return code;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            capture();
            return std::nullopt;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::string TmuxSession::terminalSettingsAfterExit() const {
    if (!exitCode()) return {};
    return readControlFile(control_.path() / "stty-after");
}

std::vector<std::string> inGnuScreen(const std::vector<std::string>& command) {
    const std::string screen = findInPath("screen");
    if (screen.empty()) return {};
    std::vector<std::string> wrapped{"env", "SYSSCREENRC=/dev/null", screen, "-q", "-c", "/dev/null"};
    wrapped.insert(wrapped.end(), command.begin(), command.end());
    return wrapped;
}

bool sttyFlagOn(const std::string& sttyOutput, const std::string& flag) {
    std::string token;
    std::istringstream in(sttyOutput);
    while (in >> token) {
        while (!token.empty() && token.back() == ';') token.pop_back();
        if (token == flag) return true;
        if (token == "-" + flag) return false;
    }
    return false;
}

}  // namespace corrivex::e2e
