// Bytes that the terminal renderer sends for typical changes of the 80 x 30
// selection screen, next to what drawing the whole screen again sends, and
// the time it takes to work each out.
//
//   terminal_bench
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "memory_console_host.h"
#include "terminal/terminal_renderer.h"

namespace {

using namespace corrivex::platform;

constexpr CellPos kScreen{80, 30};
constexpr std::uint16_t kWindow = 0xF0;     // black on bright white
constexpr std::uint16_t kListBox = 0x1F;    // bright white on blue
constexpr std::uint16_t kHighlight = 0x70;  // black on light grey

void text(ConsoleHost& host, CellPos at, const std::string& s, std::uint16_t attr) {
    std::vector<Cell> cells;
    for (unsigned char c : s) cells.push_back(Cell{c, attr});
    host.writeCells(at, static_cast<int>(cells.size()), 1, cells.data());
}

// The selection screen with the instructions and a list box of names.
void selectionScreen(ConsoleHost& host) {
    host.fillCharacter(' ', kScreen.x * kScreen.y, {0, 0});
    host.fillAttribute(kWindow, kScreen.x * kScreen.y, {0, 0});
    text(host, {35, 2}, "Make simultaneous choices ", 0xFD);
    text(host, {35, 3}, "with <ctrl> click, then press OK", 0xFD);
    const int left = 20, top = 6, width = 40, height = 20;
    text(host, {left, top}, "\xc9" + std::string(width - 2, '\xcd') + "\xbb", kListBox);
    for (int y = 1; y < height - 1; ++y) {
        char name[64];
        std::snprintf(name, sizeof name, " DATASET%04d", y);
        std::string row = name;
        row.resize(width - 2, ' ');
        text(host, {left, top + y}, "\xba" + row + "\xba", kListBox);
    }
    text(host, {left, top + height - 1}, "\xc8" + std::string(width - 2, '\xcd') + "\xbc", kListBox);
}

struct Row {
    const char* change;
    std::size_t bytes;
    std::size_t fullRedraw;
    double microseconds;
};

// Bytes and time for `change`, applied to a screen the renderer has drawn.
Row measure(const char* name, const std::function<void(ConsoleHost&)>& change) {
    MemoryConsoleHost host(kScreen);
    selectionScreen(host);
    const TerminalFrame start = captureFrame(host, kScreen);
    change(host);
    const TerminalFrame after = captureFrame(host, kScreen);

    TerminalRenderer renderer;
    renderer.render(start);
    const std::size_t bytes = renderer.render(after).size();

    // Time: the change undone and made again, over and over.
    constexpr int kRounds = 5000;
    std::size_t sink = 0;
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) {
        sink += renderer.render(start).size();
        sink += renderer.render(after).size();
    }
    const auto t1 = std::chrono::steady_clock::now();
    const double perRender = std::chrono::duration<double, std::micro>(t1 - t0).count() / (2.0 * kRounds);
    if (sink == 1) std::puts("");  // keeps the loop

    TerminalRenderer fresh;
    const std::size_t full = fresh.render(after).size();
    return {name, bytes, full, perRender};
}

}  // namespace

int main() {
    std::vector<Row> rows;
    rows.push_back(measure("one cell (a typed character)", [](ConsoleHost& h) { text(h, {21, 7}, "*", kListBox); }));
    rows.push_back(measure("one row (list highlight moves)", [](ConsoleHost& h) {
        std::vector<Cell> cells(38);
        h.readCells({21, 7}, 38, 1, cells.data());
        for (Cell& c : cells) c.attr = kHighlight;
        h.writeCells({21, 7}, 38, 1, cells.data());
    }));
    rows.push_back(measure("one full row of 80 new characters", [](ConsoleHost& h) {
        text(h, {0, 29}, std::string(80, 'x'), kWindow);
    }));
    rows.push_back(measure("whole screen, new colour (clear)", [](ConsoleHost& h) {
        h.fillCharacter(' ', kScreen.x * kScreen.y, {0, 0});
        h.fillAttribute(0x2E, kScreen.x * kScreen.y, {0, 0});
    }));
    rows.push_back(measure("whole screen, list scrolled one line", [](ConsoleHost& h) {
        h.scroll({21, 8, 58, 24}, {21, 7}, Cell{' ', kListBox});
    }));
    rows.push_back(measure("nothing shown changed", [](ConsoleHost& h) { h.setTextAttribute(0x2E); }));

    std::printf("%-38s %12s %12s %8s %14s\n", "change on the 80 x 30 screen", "bytes sent", "full redraw", "share",
                "render time");
    for (const Row& r : rows)
        std::printf("%-38s %12zu %12zu %7.1f%% %11.1f us\n", r.change, r.bytes, r.fullRedraw,
                    100.0 * static_cast<double>(r.bytes) / static_cast<double>(r.fullRedraw), r.microseconds);
    return 0;
}
