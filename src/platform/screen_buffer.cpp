#include "platform/screen_buffer.h"

#include <algorithm>

namespace corrivex::platform {

ScreenBuffer::ScreenBuffer(CellPos size)
    : size_(size),
      cells_(static_cast<std::size_t>(size.x) * size.y, Cell{' ', 0x07}),
      window_{0, 0, size.x - 1, size.y - 1} {}

bool ScreenBuffer::screenBufferInfo(ScreenBufferInfo& info) {
    info.size = size_;
    info.cursor = cursor_;
    info.attributes = attribute_;
    info.window = window_;
    return true;
}

void ScreenBuffer::setBufferSize(CellPos size) {
    // As on Windows: the buffer may not be smaller than the window.
    const int windowWidth = window_.right - window_.left + 1;
    const int windowHeight = window_.bottom - window_.top + 1;
    if (size.x < 1 || size.y < 1 || size.x > 32767 || size.y > 32767) return;
    if (size.x < windowWidth || size.y < windowHeight) return;
    std::vector<Cell> cells(static_cast<std::size_t>(size.x) * size.y, Cell{' ', attribute_});
    for (int y = 0; y < std::min(size.y, size_.y); ++y)
        for (int x = 0; x < std::min(size.x, size_.x); ++x)
            cells[static_cast<std::size_t>(y) * size.x + x] = at(x, y);
    cells_ = std::move(cells);
    size_ = size;
    // The window moves back inside the buffer.
    if (window_.right >= size_.x) {
        const int shift = window_.right - (size_.x - 1);
        window_.left -= shift;
        window_.right -= shift;
    }
    if (window_.bottom >= size_.y) {
        const int shift = window_.bottom - (size_.y - 1);
        window_.top -= shift;
        window_.bottom -= shift;
    }
    cursor_.x = std::min(cursor_.x, size_.x - 1);
    cursor_.y = std::min(cursor_.y, size_.y - 1);
    changed();
}

void ScreenBuffer::setWindow(CellRect window) {
    if (window.left < 0 || window.top < 0 || window.right < window.left || window.bottom < window.top) return;
    if (window.right >= size_.x || window.bottom >= size_.y) return;
    if (maximumWindow_.x > 0 && window.right - window.left + 1 > maximumWindow_.x) return;
    if (maximumWindow_.y > 0 && window.bottom - window.top + 1 > maximumWindow_.y) return;
    window_ = window;
    changed();
}

void ScreenBuffer::writeCells(CellPos at, int width, int height, const Cell* cells) {
    if (width <= 0 || height <= 0 || cells == nullptr) return;
    for (int row = 0; row < height; ++row) {
        const int y = at.y + row;
        if (y < 0 || y >= size_.y) continue;
        for (int col = 0; col < width; ++col) {
            const int x = at.x + col;
            if (x < 0 || x >= size_.x) continue;
            cellAt(x, y) = cells[static_cast<std::size_t>(row) * width + col];
        }
    }
    changed();
}

void ScreenBuffer::readCells(CellPos at, int width, int height, Cell* cells) {
    if (width <= 0 || height <= 0 || cells == nullptr) return;
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const CellPos p{at.x + col, at.y + row};
            cells[static_cast<std::size_t>(row) * width + col] = inside(p) ? this->at(p.x, p.y) : Cell{' ', 0x07};
        }
    }
}

void ScreenBuffer::fillCharacter(unsigned char ch, int count, CellPos start) {
    if (!inside(start) || count <= 0) return;
    std::size_t index = static_cast<std::size_t>(start.y) * size_.x + start.x;
    for (; count > 0 && index < cells_.size(); --count, ++index) cells_[index].ch = ch;
    changed();
}

void ScreenBuffer::fillAttribute(std::uint16_t attr, int count, CellPos start) {
    if (!inside(start) || count <= 0) return;
    std::size_t index = static_cast<std::size_t>(start.y) * size_.x + start.x;
    for (; count > 0 && index < cells_.size(); --count, ++index) cells_[index].attr = attr;
    changed();
}

void ScreenBuffer::scroll(CellRect source, CellPos destination, Cell fill) {
    // Clip the source to the buffer.
    CellRect src{std::max(source.left, 0), std::max(source.top, 0), std::min(source.right, size_.x - 1),
                 std::min(source.bottom, size_.y - 1)};
    if (src.right < src.left || src.bottom < src.top) return;
    destination.x += src.left - source.left;
    destination.y += src.top - source.top;
    const int width = src.right - src.left + 1;
    const int height = src.bottom - src.top + 1;
    std::vector<Cell> moved(static_cast<std::size_t>(width) * height);
    readCells({src.left, src.top}, width, height, moved.data());
    // What the source leaves behind is filled first; the moved block then
    // lands on top, clipped to the buffer.
    for (int y = src.top; y <= src.bottom; ++y)
        for (int x = src.left; x <= src.right; ++x) cellAt(x, y) = fill;
    for (int row = 0; row < height; ++row) {
        const int y = destination.y + row;
        if (y < 0 || y >= size_.y) continue;
        for (int col = 0; col < width; ++col) {
            const int x = destination.x + col;
            if (x < 0 || x >= size_.x) continue;
            cellAt(x, y) = moved[static_cast<std::size_t>(row) * width + col];
        }
    }
    changed();
}

void ScreenBuffer::setCursorPosition(CellPos pos) {
    if (!inside(pos)) return;
    cursor_ = pos;
    changed();
}

bool ScreenBuffer::cursorInfo(CursorInfo& info) {
    info = cursorInfo_;
    return true;
}

void ScreenBuffer::setCursorInfo(const CursorInfo& info) {
    if (info.size < 1 || info.size > 100) return;
    cursorInfo_ = info;
    changed();
}

void ScreenBuffer::setTextAttribute(std::uint16_t attr) {
    attribute_ = attr;
}

void ScreenBuffer::setTitle(std::string_view title) {
    title_.assign(title);
    changed();
}

bool ScreenBuffer::inputMode(std::uint32_t& mode) {
    mode = inputMode_;
    return true;
}

void ScreenBuffer::setInputMode(std::uint32_t mode) {
    inputMode_ = mode;
}

bool ScreenBuffer::outputMode(std::uint32_t& mode) {
    mode = outputMode_;
    return true;
}

void ScreenBuffer::setOutputMode(std::uint32_t mode) {
    outputMode_ = mode;
}

std::string ScreenBuffer::rowText(int y) const {
    std::string text;
    if (y < 0 || y >= size_.y) return text;
    text.reserve(static_cast<std::size_t>(size_.x));
    for (int x = 0; x < size_.x; ++x) text.push_back(static_cast<char>(at(x, y).ch));
    return text;
}

}  // namespace corrivex::platform
