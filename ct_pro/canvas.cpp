#include "ct_pro/canvas.h"

#include <algorithm>

#include "ct_pro/text_fit.h"
#include "platform/console_text.h"

namespace corrivex::ctpro {

using platform::Cell;
using platform::CellRect;

Canvas::Canvas(int width, int height, Cell fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      cells_(static_cast<std::size_t>(width_) * height_, fill) {}

void Canvas::put(int x, int y, Cell cell) {
    if (area().contains({x, y})) cells_[area().indexOf({x, y})] = cell;
}

void Canvas::setAttribute(CellRect rect, std::uint16_t attr) {
    const CellRect part = rect.intersection(area());
    for (int y = part.top; y <= part.bottom; ++y)
        for (int x = part.left; x <= part.right; ++x) {
            Cell& cell = cells_[area().indexOf({x, y})];
            cell.attr =
                static_cast<std::uint16_t>(attr | (cell.attr & (platform::kLeadingHalf | platform::kTrailingHalf)));
        }
}

void appendTextCells(std::vector<Cell>& cells, std::string_view text, std::uint16_t attr) {
    for (const platform::ConsoleChar& c : platform::consoleChars(text)) {
        if (c.control) {
            cells.push_back(Cell{shownByte(static_cast<unsigned char>(text[c.offset])), attr});
            continue;
        }
        const platform::CharCells shown = platform::cellsOf(c, attr);
        cells.insert(cells.end(), shown.cells.begin(), shown.cells.begin() + shown.count);
    }
}

void Canvas::text(int x, int y, std::string_view text, std::uint16_t attr, int maxWidth) {
    const int end = maxWidth >= 0 ? x + maxWidth : width_;
    for (const platform::ConsoleChar& c : platform::consoleChars(text)) {
        if (x + c.columns > end) break;
        if (c.control) {
            put(x++, y, Cell{shownByte(static_cast<unsigned char>(text[c.offset])), attr});
            continue;
        }
        const platform::CharCells shown = platform::cellsOf(c, attr);
        for (int i = 0; i < shown.count; ++i) put(x++, y, shown.cells[static_cast<std::size_t>(i)]);
    }
}

void Canvas::cells(int x, int y, std::span<const Cell> cells, std::uint16_t attr) {
    constexpr std::uint16_t kHalves = platform::kLeadingHalf | platform::kTrailingHalf;
    for (const Cell& cell : cells) put(x++, y, Cell{cell.ch, static_cast<std::uint16_t>(attr | (cell.attr & kHalves))});
}

namespace {

// The code page 437 bytes of a frame's parts.
struct FrameBytes {
    unsigned char topLeft, topRight, bottomLeft, bottomRight, horizontal, vertical;
};
constexpr FrameBytes kSingle{0xDA, 0xBF, 0xC0, 0xD9, 0xC4, 0xB3};
constexpr FrameBytes kDouble{0xC9, 0xBB, 0xC8, 0xBC, 0xCD, 0xBA};
constexpr unsigned char kSingleLeftJoin = 0xC3;
constexpr unsigned char kSingleRightJoin = 0xB4;

// A cell showing the code page 437 glyph of `byte`.
Cell glyphCell(unsigned char byte, std::uint16_t attr) { return Cell{platform::glyphCharOf(byte), attr}; }

}  // namespace

void Canvas::frame(CellRect rect, std::uint16_t attr, Lines lines) {
    const FrameBytes& b = lines == Lines::Double ? kDouble : kSingle;
    for (int x = rect.left + 1; x < rect.right; ++x) {
        put(x, rect.top, glyphCell(b.horizontal, attr));
        put(x, rect.bottom, glyphCell(b.horizontal, attr));
    }
    for (int y = rect.top + 1; y < rect.bottom; ++y) {
        put(rect.left, y, glyphCell(b.vertical, attr));
        put(rect.right, y, glyphCell(b.vertical, attr));
    }
    put(rect.left, rect.top, glyphCell(b.topLeft, attr));
    put(rect.right, rect.top, glyphCell(b.topRight, attr));
    put(rect.left, rect.bottom, glyphCell(b.bottomLeft, attr));
    put(rect.right, rect.bottom, glyphCell(b.bottomRight, attr));
}

void Canvas::divider(CellRect rect, int y, std::uint16_t attr) {
    for (int x = rect.left + 1; x < rect.right; ++x) put(x, y, glyphCell(kSingle.horizontal, attr));
    put(rect.left, y, glyphCell(kSingleLeftJoin, attr));
    put(rect.right, y, glyphCell(kSingleRightJoin, attr));
}

CanvasPresenter::CanvasPresenter(platform::ConsoleHost& host, platform::CellPos origin)
    : host_(host), origin_(origin) {}

void CanvasPresenter::present(const Canvas& canvas) {
    const int width = canvas.width();
    const int height = canvas.height();
    const std::size_t count = static_cast<std::size_t>(width) * height;
    if (count == 0) return;
    if (shown_.size() != count || width_ != width) {
        host_.writeCells(origin_, width, height, canvas.data());
        shown_.assign(canvas.data(), canvas.data() + count);
        width_ = width;
        return;
    }

    // Runs of neighbouring rows with changes go out as one block each,
    // spanning the changed columns of those rows.
    auto changedSpan = [&](int y, int& left, int& right) {
        left = width;
        right = -1;
        for (int x = 0; x < width; ++x)
            if (!(shown_[canvas.area().indexOf({x, y})] == canvas.at(x, y))) {
                left = std::min(left, x);
                right = x;
            }
        return right >= 0;
    };
    std::vector<Cell> block;
    int y = 0;
    while (y < height) {
        int left = 0, right = -1;
        if (!changedSpan(y, left, right)) {
            ++y;
            continue;
        }
        const int top = y;
        int rowLeft = 0, rowRight = -1;
        while (++y < height && changedSpan(y, rowLeft, rowRight)) {
            left = std::min(left, rowLeft);
            right = std::max(right, rowRight);
        }
        const CellRect changed{left, top, right, y - 1};
        block.clear();
        for (int row = changed.top; row <= changed.bottom; ++row)
            for (int x = changed.left; x <= changed.right; ++x) block.push_back(canvas.at(x, row));
        host_.writeCells({origin_.x + changed.left, origin_.y + changed.top}, changed.width(), changed.height(),
                         block.data());
        ++y;  // the row that ended the run has no change
    }
    shown_.assign(canvas.data(), canvas.data() + count);
}

}  // namespace corrivex::ctpro
