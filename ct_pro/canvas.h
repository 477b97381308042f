// Drawing a dialog: a block of cells composed in memory (frames, lines,
// texts), and a presenter that puts it on the console, sending only the
// part that differs from what it put there before.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/console_host.h"

namespace corrivex::ctpro {

class Canvas {
public:
    Canvas(int width, int height, platform::Cell fill);

    int width() const { return width_; }
    int height() const { return height_; }
    const platform::Cell& at(int x, int y) const { return cells_[index(x, y)]; }
    const platform::Cell* data() const { return cells_.data(); }

    // Coordinates are relative to the canvas; whatever falls outside it is
    // dropped.
    void setAttribute(platform::CellRect rect, std::uint16_t attr);
    // The characters of `text` as the console takes them, control bytes as
    // shown by shownByte, from (x, y) on; at most `maxWidth` columns when it
    // is not negative, never half a double-width character.
    void text(int x, int y, std::string_view text, std::uint16_t attr, int maxWidth = -1);
    // A frame around `rect` drawn with the box-drawing characters of code
    // page 437, in single or double lines.
    enum class Lines { Single, Double };
    void frame(platform::CellRect rect, std::uint16_t attr, Lines lines = Lines::Single);
    // A single line across the single-lined frame of `rect` at row y,
    // joined to its sides.
    void divider(platform::CellRect rect, int y, std::uint16_t attr);

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
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
