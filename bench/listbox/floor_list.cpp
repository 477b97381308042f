// The floor of the whole-program benchmark: about the least a program can do
// to show the same list. It lists the data files (*.txt, *.dat) of a
// directory, upper-cases their names without the extension, sorts them,
// writes one frame (a page of names with marks, the focused one in reverse
// video, and a counter) in one write, and then redraws only what a key
// changes: Up and Down two rows and the counter, PgDn the page, Space a mark
// and the counter. Esc or q ends it.
//
//   floor_list DIRECTORY
#include <dirent.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kTop = 2;    // first list row, 0-based
constexpr int kPage = 20;  // rows of names

struct List {
    std::vector<std::string> names;
    std::vector<bool> marked;
    int focus = 0;
    int first = 0;  // the name on the first row
    int chosen = 0;
};

bool endsWith(std::string_view name, std::string_view tail) {
    if (name.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

std::vector<std::string> dataSets(const char* directory) {
    std::vector<std::string> names;
    DIR* dir = opendir(directory);
    if (dir == nullptr) return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.empty() || name[0] == '.' || !(endsWith(name, ".txt") || endsWith(name, ".dat"))) continue;
        std::string upper(name.substr(0, name.size() - 4));
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        names.push_back(std::move(upper));
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

void moveTo(std::string& out, int row, int column) {
    out += "\x1b[" + std::to_string(row + 1) + ";" + std::to_string(column + 1) + "H";
}

void drawRow(std::string& out, const List& list, int index) {
    moveTo(out, kTop + index - list.first, 2);
    if (index == list.focus) out += "\x1b[7m";
    out += list.marked[static_cast<std::size_t>(index)] ? "[x] " : "[ ] ";
    out += list.names[static_cast<std::size_t>(index)];
    if (index == list.focus) out += "\x1b[m";
}

void drawCounter(std::string& out, const List& list) {
    moveTo(out, kTop + kPage + 1, 2);
    out += std::to_string(list.chosen) + " chosen - " + std::to_string(list.focus + 1) + "/" +
           std::to_string(list.names.size()) + "\x1b[K";
}

void drawPage(std::string& out, const List& list) {
    const int last = std::min(static_cast<int>(list.names.size()), list.first + kPage);
    for (int i = list.first; i < last; ++i) {
        drawRow(out, list, i);
        out += "\x1b[K";
    }
    drawCounter(out, list);
}

void send(const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

int main(int argc, char** argv) {
    List list;
    list.names = dataSets(argc > 1 ? argv[1] : ".");
    list.marked.assign(list.names.size(), false);

    termios start{};
    const bool terminal = tcgetattr(STDIN_FILENO, &start) == 0;
    if (terminal) {
        termios raw = start;
        cfmakeraw(&raw);
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }

    std::string out = "\x1b[?25l\x1b[H\x1b[2J";
    if (!list.names.empty()) drawPage(out, list);
    send(out);

    const int count = static_cast<int>(list.names.size());
    char buffer[64];
    for (ssize_t n; count > 0 && (n = read(STDIN_FILENO, buffer, sizeof buffer)) > 0;) {
        const std::string_view key(buffer, static_cast<std::size_t>(n));
        if (key == "\x1b" || key == "q") break;
        out.clear();
        const int was = list.focus;
        if (key == "\x1b[B" || key == "\x1bOB") list.focus = std::min(count - 1, list.focus + 1);
        else if (key == "\x1b[A" || key == "\x1bOA") list.focus = std::max(0, list.focus - 1);
        else if (key == "\x1b[6~") list.focus = std::min(count - 1, list.focus + kPage);
        else if (key == " ") {
            const auto at = static_cast<std::size_t>(list.focus);
            list.marked[at] = !list.marked[at];
            list.chosen += list.marked[at] ? 1 : -1;
            moveTo(out, kTop + list.focus - list.first, 3);
            out += list.marked[at] ? "\x1b[7mx\x1b[m" : "\x1b[7m \x1b[m";
            drawCounter(out, list);
        }
        if (list.focus != was) {
            const int first = std::clamp(list.first, list.focus - kPage + 1, list.focus);
            if (first != list.first) {
                list.first = first;
                drawPage(out, list);
            } else {
                drawRow(out, list, was);
                drawRow(out, list, list.focus);
                drawCounter(out, list);
            }
        }
        send(out);
    }

    send("\x1b[m\x1b[?25h\r\n");
    if (terminal) tcsetattr(STDIN_FILENO, TCSANOW, &start);
    return 0;
}
