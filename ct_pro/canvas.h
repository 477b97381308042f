// Drawing a dialog: a block of cells composed in memory (frames, lines,
// texts), and a presenter that puts it on the console, sending only the
// part that differs from what it put there before.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/console_host.h"

namespace corrivex::ctpro {

// Appends to `cells` the cells that show `text` as Canvas::text puts them:
// made once, put many times.
void appendTextCells(std::vector<platform::Cell>& cells, std::string_view text, std::uint16_t attr);

class Canvas {
public:
    Canvas(int width, int height, platform::Cell fill);

    int width() const { return width_; }
    int height() const { return height_; }
    // Every cell of the canvas: from (0, 0) to (width() - 1, height() - 1).
    platform::CellRect area() const { return platform::CellRect::sized({0, 0}, width_, height_); }
    const platform::Cell& at(int x, int y) const { return cells_[area().indexOf({x, y})]; }
    const platform::Cell* data() const { return cells_.data(); }

    // Coordinates are relative to the canvas; whatever falls outside it is
    // dropped.
    void setAttribute(platform::CellRect rect, std::uint16_t attr);
    // The characters of `text` as the console takes them, control bytes as
    // shown by shownByte, from (x, y) on; at most `maxWidth` columns when it
    // is not negative, never half a double-width character.
    void text(int x, int y, std::string_view text, std::uint16_t attr, int maxWidth = -1);
    // Cells made by appendTextCells, from (x, y) on, in the colours `attr`.
    void cells(int x, int y, std::span<const platform::Cell> cells, std::uint16_t attr);
    // A frame around `rect` drawn with the box-drawing characters of code
    // page 437, in single or double lines.
    enum class Lines { Single, Double };
    void frame(platform::CellRect rect, std::uint16_t attr, Lines lines = Lines::Single);
    // A single line across the single-lined frame of `rect` at row y,
    // joined to its sides.
    void divider(platform::CellRect rect, int y, std::uint16_t attr);

private:
    void put(int x, int y, platform::Cell cell);

    int width_;
    int height_;
    std::vector<platform::Cell> cells_;
};

// Shows canvases of one size at one place. The first call writes the whole
// block; each later call writes, for each run of neighbouring rows with
// changes, the smallest block that covers the changed cells of those rows.
class CanvasPresenter {
public:
    CanvasPresenter(platform::ConsoleHost& host, platform::CellPos origin);
    void present(const Canvas& canvas);

private:
    platform::ConsoleHost& host_;
    platform::CellPos origin_;
    int width_ = 0;
    std::vector<platform::Cell> shown_;
};

}  // namespace corrivex::ctpro
