// A memory console host that also records what the dialogs do: the screen
// and the input mode at each read of input, and every block written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "memory_console_host.h"

namespace corrivex::ctpro::testing {

class RecordingHost : public platform::MemoryConsoleHost {
public:
    explicit RecordingHost(platform::CellPos size = {80, 30}) : MemoryConsoleHost(size) {}

    struct Snapshot {
        std::vector<std::string> rows;
        std::vector<std::uint16_t> attrs;  // row by row
        std::uint32_t inputMode = 0;
        bool cursorVisible = true;
        platform::CellPos cursor;
        std::size_t cellsWrittenBefore = 0;  // cells written since the previous read
    };

    bool readInput(platform::InputEvent& event) override {
        Snapshot snapshot;
        for (int y = 0; y < size().y; ++y) {
            snapshot.rows.push_back(rowText(y));
            for (int x = 0; x < size().x; ++x) snapshot.attrs.push_back(at(x, y).attr);
        }
        snapshot.inputMode = currentInputMode();
        snapshot.cursorVisible = currentCursorInfo().visible;
        snapshot.cursor = cursor();
        snapshot.cellsWrittenBefore = cellsSinceRead_;
        cellsSinceRead_ = 0;
        snapshots_.push_back(std::move(snapshot));
        const bool got = MemoryConsoleHost::readInput(event);
        // A scripted resize makes the window that size, as a terminal does.
        if (got && event.kind == platform::InputEvent::Kind::Resize)
            setWindow({0, 0, event.newSize.x - 1, event.newSize.y - 1});
        return got;
    }

    void pushResize(platform::CellPos size) {
        platform::InputEvent event;
        event.kind = platform::InputEvent::Kind::Resize;
        event.newSize = size;
        pushEvent(event);
    }

    void writeCells(platform::CellPos at, int width, int height, const platform::Cell* cells) override {
        if (width > 0 && height > 0) cellsSinceRead_ += static_cast<std::size_t>(width) * height;
        MemoryConsoleHost::writeCells(at, width, height, cells);
    }

    const std::vector<Snapshot>& snapshots() const { return snapshots_; }
    const Snapshot& last() const { return snapshots_.back(); }
    std::uint16_t attrAt(const Snapshot& snapshot, int x, int y) const {
        return snapshot.attrs[static_cast<std::size_t>(y) * size().x + x];
    }

    // Writes `text` at (x, y) in attribute `attr`, as a caller would have
    // before opening a dialog.
    void put(int x, int y, const std::string& text, std::uint16_t attr) {
        std::vector<platform::Cell> cells;
        for (unsigned char c : text) cells.push_back(platform::Cell{c, attr});
        MemoryConsoleHost::writeCells({x, y}, static_cast<int>(cells.size()), 1, cells.data());
    }

    // Every cell of the buffer, for comparing the screen before and after.
    std::vector<platform::Cell> allCells() const {
        std::vector<platform::Cell> cells;
        for (int y = 0; y < size().y; ++y)
            for (int x = 0; x < size().x; ++x) cells.push_back(at(x, y));
        return cells;
    }

private:
    std::vector<Snapshot> snapshots_;
    std::size_t cellsSinceRead_ = 0;
};

}  // namespace corrivex::ctpro::testing
