#include "ct_pro/saved_region.h"

namespace corrivex::ctpro {

SavedRegion::SavedRegion(platform::ConsoleHost& host, platform::CellRect rect) : host_(host), rect_(rect) {
    if (!rect.empty()) {
        cells_.resize(static_cast<std::size_t>(rect.width()) * rect.height());
        host_.readCells(rect.topLeft(), rect.width(), rect.height(), cells_.data());
    }
    platform::ScreenBufferInfo info;
    haveBuffer_ = host_.screenBufferInfo(info);
    cursor_ = info.cursor;
    haveCursorInfo_ = host_.cursorInfo(cursorInfo_);
}

SavedRegion::~SavedRegion() {
    if (!cells_.empty()) host_.writeCells(rect_.topLeft(), rect_.width(), rect_.height(), cells_.data());
    if (haveBuffer_) host_.setCursorPosition(cursor_);
    if (haveCursorInfo_) host_.setCursorInfo(cursorInfo_);
}

InputModeScope::InputModeScope(platform::ConsoleHost& host, std::uint32_t mode) : host_(host) {
    havePrevious_ = host_.inputMode(previous_);
    host_.setInputMode(mode);
}

InputModeScope::~InputModeScope() {
    if (havePrevious_) host_.setInputMode(previous_);
}

DialogScope::DialogScope(platform::ConsoleHost& host, platform::CellRect rect)
    : region_(host, rect), inputMode_(host, kDialogInputMode) {
    platform::CursorInfo cursor;
    if (host.cursorInfo(cursor)) {
        cursor.visible = false;
        host.setCursorInfo(cursor);
    }
}

platform::CellRect visibleWindow(platform::ConsoleHost& host) {
    platform::ScreenBufferInfo info;
    if (host.screenBufferInfo(info)) return info.window;
    return {0, 0, 79, 24};
}

}  // namespace corrivex::ctpro
