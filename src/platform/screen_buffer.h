// A Windows-style console screen buffer held in memory: the cells, the
// cursor, the window, the text attribute, the title and the modes, with the
// rules of the Windows console for resizing, filling and scrolling, and for
// the extended flags of the input mode (mode::kExtendedMask).
//
// The memory console host of the tests and the POSIX terminal host are both
// built on it; it reads no input and shows nothing.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/console_host.h"

namespace corrivex::platform {

class ScreenBuffer : public ConsoleHost {
public:
    explicit ScreenBuffer(CellPos size = {80, 25});

    bool hasOutput() const override { return true; }
    bool screenBufferInfo(ScreenBufferInfo& info) override;
    void setBufferSize(CellPos size) override;
    void setWindow(CellRect window) override;
    void writeCells(CellPos at, int width, int height, const Cell* cells) override;
    void readCells(CellPos at, int width, int height, Cell* cells) override;
    void fillCharacter(unsigned char ch, int count, CellPos start) override;
    void fillAttribute(std::uint16_t attr, int count, CellPos start) override;
    void scroll(CellRect source, CellPos destination, Cell fill) override;
    void setCursorPosition(CellPos pos) override;
    bool cursorInfo(CursorInfo& info) override;
    void setCursorInfo(const CursorInfo& info) override;
    void setTextAttribute(std::uint16_t attr) override;
    void setTitle(std::string_view title) override;
    bool inputMode(std::uint32_t& mode) override;
    void setInputMode(std::uint32_t mode) override;
    bool outputMode(std::uint32_t& mode) override;
    void setOutputMode(std::uint32_t mode) override;

    // Direct views, for renderers and tests.
    CellPos size() const { return size_; }
    // Every cell of the buffer: from (0, 0) to (size().x - 1, size().y - 1).
    CellRect bounds() const { return CellRect::sized({0, 0}, size_.x, size_.y); }
    CellPos cursor() const { return cursor_; }
    CellRect window() const { return window_; }
    std::uint16_t textAttribute() const { return attribute_; }
    const std::string& title() const { return title_; }
    // The input mode as the console reports it.
    std::uint32_t currentInputMode() const;
    // Quick edit and insert mode as the console has them, reported or not.
    std::uint32_t extendedFlags() const { return extendedFlags_; }
    std::uint32_t currentOutputMode() const { return outputMode_; }
    CursorInfo currentCursorInfo() const { return cursorInfo_; }
    const Cell& at(int x, int y) const { return cells_[bounds().indexOf({x, y})]; }
    // The characters of row y, columns 0 to width-1, each as the byte of its
    // low eight bits.
    std::string rowText(int y) const;

    // The largest window the display can show; 0 means no limit.
    void setMaximumWindow(CellPos maximum) { maximumWindow_ = maximum; }

protected:
    // Called after every operation that may have changed what is shown;
    // the terminal host notes it and sends the difference when the program
    // next waits.
    virtual void changed() {}

    Cell& cellAt(int x, int y) { return cells_[bounds().indexOf({x, y})]; }

private:
    // Copies the part of a width x height block at `at` that lies inside
    // the buffer.
    void copyIn(CellPos at, int width, int height, const Cell* cells);
    // The cells from `start` on, `count` of them running on to the next
    // rows, up to the end of the buffer; none when `start` lies outside it.
    std::span<Cell> run(CellPos start, int count);

    CellPos size_;
    std::vector<Cell> cells_;
    CellPos cursor_{0, 0};
    CellRect window_;
    CellPos maximumWindow_{0, 0};
    CursorInfo cursorInfo_{25, true};
    std::uint16_t attribute_ = 0x07;
    std::string title_;
    std::uint32_t inputMode_ = mode::kProcessedInput | mode::kLineInput | mode::kEchoInput | mode::kMouseInput;
    std::uint32_t extendedFlags_ = mode::kQuickEdit | mode::kInsert;  // unreported until a mode sets them
    bool extendedReported_ = false;
    std::uint32_t outputMode_ = mode::kProcessedOutput | mode::kWrapAtEolOutput;
};

}  // namespace corrivex::platform
