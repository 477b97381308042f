#include "platform/screen_buffer.h"

#include <algorithm>

namespace corrivex::platform {

ScreenBuffer::ScreenBuffer(CellPos size)
    : size_(size),
      cells_(static_cast<std::size_t>(size.x) * size.y, Cell{' ', 0x07}),
      window_(CellRect::sized({0, 0}, size.x, size.y)) {}

bool ScreenBuffer::screenBufferInfo(ScreenBufferInfo& info) {
    info.size = size_;
    info.cursor = cursor_;
    info.attributes = attribute_;
    info.window = window_;
    return true;
}

void ScreenBuffer::setBufferSize(CellPos size) {
    // As on Windows: the buffer may not be smaller than the window.
    if (size.x < 1 || size.y < 1 || size.x > 32767 || size.y > 32767) return;
    if (size.x < window_.width() || size.y < window_.height()) return;
    std::vector<Cell> cells(static_cast<std::size_t>(size.x) * size.y, Cell{' ', attribute_});
    const CellRect resized = CellRect::sized({0, 0}, size.x, size.y);
    const CellRect kept = resized.intersection(bounds());
    for (int y = kept.top; y <= kept.bottom; ++y)
        for (int x = kept.left; x <= kept.right; ++x) cells[resized.indexOf({x, y})] = at(x, y);
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
    if (window.empty() || window.intersection(bounds()) != window) return;
    if (maximumWindow_.x > 0 && window.width() > maximumWindow_.x) return;
    if (maximumWindow_.y > 0 && window.height() > maximumWindow_.y) return;
    window_ = window;
    changed();
}

void ScreenBuffer::copyIn(CellPos at, int width, int height, const Cell* cells) {
    const CellRect block = CellRect::sized(at, width, height);
    const CellRect part = block.intersection(bounds());
    for (int y = part.top; y <= part.bottom; ++y)
        for (int x = part.left; x <= part.right; ++x) cellAt(x, y) = cells[block.indexOf({x, y})];
}

std::span<Cell> ScreenBuffer::run(CellPos start, int count) {
    if (!bounds().contains(start) || count <= 0) return {};
    const std::size_t index = bounds().indexOf(start);
    return std::span<Cell>(cells_).subspan(index, std::min(static_cast<std::size_t>(count), cells_.size() - index));
}

void ScreenBuffer::writeCells(CellPos at, int width, int height, const Cell* cells) {
    if (width <= 0 || height <= 0 || cells == nullptr) return;
    copyIn(at, width, height, cells);
    changed();
}

void ScreenBuffer::readCells(CellPos at, int width, int height, Cell* cells) {
    if (width <= 0 || height <= 0 || cells == nullptr) return;
    const CellRect block = CellRect::sized(at, width, height);
    for (int y = block.top; y <= block.bottom; ++y)
        for (int x = block.left; x <= block.right; ++x)
            cells[block.indexOf({x, y})] = bounds().contains({x, y}) ? this->at(x, y) : Cell{' ', 0x07};
}

void ScreenBuffer::fillCharacter(unsigned char ch, int count, CellPos start) {
    const std::span<Cell> cells = run(start, count);
    if (cells.empty()) return;
    for (Cell& cell : cells) cell.ch = ch;
    changed();
}

void ScreenBuffer::fillAttribute(std::uint16_t attr, int count, CellPos start) {
    const std::span<Cell> cells = run(start, count);
    if (cells.empty()) return;
    for (Cell& cell : cells) cell.attr = attr;
    changed();
}

void ScreenBuffer::scroll(CellRect source, CellPos destination, Cell fill) {
    const CellRect src = source.intersection(bounds());
    if (src.empty()) return;
    destination.x += src.left - source.left;
    destination.y += src.top - source.top;
    std::vector<Cell> moved(static_cast<std::size_t>(src.width()) * src.height());
    readCells(src.topLeft(), src.width(), src.height(), moved.data());
    // What the source leaves behind is filled first; the moved block then
    // lands on top, clipped to the buffer.
    for (int y = src.top; y <= src.bottom; ++y)
        for (int x = src.left; x <= src.right; ++x) cellAt(x, y) = fill;
    copyIn(destination, src.width(), src.height(), moved.data());
    changed();
}

void ScreenBuffer::setCursorPosition(CellPos pos) {
    if (!bounds().contains(pos)) return;
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

void ScreenBuffer::setTextAttribute(std::uint16_t attr) { attribute_ = attr; }

void ScreenBuffer::setTitle(std::string_view title) {
    title_.assign(title);
    changed();
}

std::uint32_t ScreenBuffer::currentInputMode() const {
    return inputMode_ | (extendedReported_ ? mode::kExtendedFlags | extendedFlags_ : 0);
}

bool ScreenBuffer::inputMode(std::uint32_t& mode) {
    mode = currentInputMode();
    return true;
}

void ScreenBuffer::setInputMode(std::uint32_t mode) {
    inputMode_ = mode & ~mode::kExtendedMask;
    extendedReported_ = (mode & mode::kExtendedFlags) != 0;
    if (extendedReported_) extendedFlags_ = mode & (mode::kQuickEdit | mode::kInsert);
}

bool ScreenBuffer::outputMode(std::uint32_t& mode) {
    mode = outputMode_;
    return true;
}

void ScreenBuffer::setOutputMode(std::uint32_t mode) { outputMode_ = mode; }

std::string ScreenBuffer::rowText(int y) const {
    std::string text;
    if (y < 0 || y >= size_.y) return text;
    text.reserve(static_cast<std::size_t>(size_.x));
    for (int x = 0; x < size_.x; ++x) text.push_back(static_cast<char>(at(x, y).ch));
    return text;
}

}  // namespace corrivex::platform
