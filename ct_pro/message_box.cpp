#include "ct_pro/message_box.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ct_pro/canvas.h"
#include "ct_pro/dialog_input.h"
#include "ct_pro/dialog_loop.h"
#include "ct_pro/dialog_style.h"
#include "ct_pro/message_dialog.h"
#include "ct_pro/saved_region.h"
#include "ct_pro/text_fit.h"
#include "platform/console_text.h"

namespace corrivex::ctpro {

using platform::Cell;
using platform::CellPos;
using platform::CellRect;

namespace {

std::vector<MessageDialog::Button> buttonsFor(std::uint32_t style) {
    switch (style & kMbButtonsMask) {
        case kMbOkCancel: return {{"OK", kIdOk}, {"Cancel", kIdCancel}};
        case kMbAbortRetryIgnore: return {{"Abort", kIdAbort}, {"Retry", kIdRetry}, {"Ignore", kIdIgnore}};
        case kMbYesNoCancel: return {{"Yes", kIdYes}, {"No", kIdNo}, {"Cancel", kIdCancel}};
        case kMbYesNo: return {{"Yes", kIdYes}, {"No", kIdNo}};
        case kMbRetryCancel: return {{"Retry", kIdRetry}, {"Cancel", kIdCancel}};
        default:  // kMbOk
            return {{"OK", kIdOk}};
    }
}

int escapeAnswer(const std::vector<MessageDialog::Button>& buttons) {
    for (int wanted : {kIdCancel, kIdNo})
        for (const MessageDialog::Button& button : buttons)
            if (button.id == wanted) return wanted;
    return buttons.front().id;
}

// The mark in front of the message, from the icon resource number or else
// from the style's icon bits.
std::string_view iconMark(std::uint32_t style, std::int32_t icon) {
    switch (icon) {
        case kIdiHand: return "(X)";
        case kIdiQuestion: return "(?)";
        case kIdiExclamation: return "(!)";
        case kIdiAsterisk: return "(i)";
        default: break;
    }
    switch (style & kMbIconMask) {
        case kMbIconHand: return "(X)";
        case kMbIconQuestion: return "(?)";
        case kMbIconExclamation: return "(!)";
        case kMbIconAsterisk: return "(i)";
        default: return {};
    }
}

constexpr int kMinInnerWidth = 24;
constexpr int kPadding = 2;  // blank columns inside the frame on each side
constexpr int kButtonGap = 3;

}  // namespace

MessageDialog::MessageDialog(const MessageBoxRequest& request)
    : buttons_(buttonsFor(request.style)),
      text_(request.text),
      fullCaption_(request.caption),
      mark_(iconMark(request.style, request.icon)) {
    for (const Button& button : buttons_) labelWidth_ = std::max(labelWidth_, static_cast<int>(button.label.size()));
    // kMbDefButton2 and kMbDefButton3 give the focus to that button.
    focus_ = std::min(static_cast<int>((request.style & kMbDefButtonMask) / kMbDefButton2),
                      static_cast<int>(buttons_.size()) - 1);
}

void MessageDialog::place(CellRect window) {
    const int windowWidth = window.width();
    const int windowHeight = window.height();

    const int buttonCount = static_cast<int>(buttons_.size());
    const int buttonsWidth = buttonCount * buttonWidth(labelWidth_) + (buttonCount - 1) * kButtonGap;
    const int markWidth = mark_.empty() ? 0 : static_cast<int>(mark_.size()) + 1;

    // The box is as wide as its longest part, and fits in the window.
    const int maxInner = std::max(windowWidth - 4, buttonsWidth);
    const int captionWidth = columnsOf(fullCaption_) + 4;
    int textWidth = 0;
    for (const std::string& line : wrapText(text_, maxInner - 2 * kPadding - markWidth, 1 << 16))
        textWidth = std::max(textWidth, columnsOf(line));
    const int inner = std::clamp(
        std::max({textWidth + markWidth + 2 * kPadding, buttonsWidth + 2 * kPadding, captionWidth, kMinInnerWidth}), 1,
        maxInner);
    const int maxLines = std::max(windowHeight - 6, 1);
    lines_ = wrapText(text_, inner - 2 * kPadding - markWidth, maxLines);
    caption_ = cutRight(fullCaption_, inner - 4);

    const int width = inner + 2;
    const int height = static_cast<int>(lines_.size()) + 5;
    rect_ = CellRect::sized(
        {window.left + std::max((windowWidth - width) / 2, 0), window.top + std::max((windowHeight - height) / 2, 0)},
        width, height);

    fits_ = rect_.right <= window.right && rect_.bottom <= window.bottom;

    buttonX_.clear();
    int x = (width - buttonsWidth) / 2;
    for (int i = 0; i < buttonCount; ++i) {
        buttonX_.push_back(x);
        x += buttonWidth(labelWidth_) + kButtonGap;
    }
}

Canvas MessageDialog::draw() const {
    const int width = rect_.width();
    const int height = rect_.height();
    Canvas canvas(width, height, Cell{' ', kBoxAttr});
    canvas.frame(canvas.area(), kBoxAttr, Canvas::Lines::Double);
    if (!caption_.empty()) canvas.text(2, 0, " " + caption_ + " ", kBoxAttr);
    int x = 1 + kPadding;
    if (!mark_.empty()) {
        canvas.text(x, 2, mark_, kHintAttr);
        x += static_cast<int>(mark_.size()) + 1;
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) canvas.text(x, 2 + static_cast<int>(i), lines_[i], kBoxAttr);
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        drawButton(canvas, buttonX_[i], height - 2, buttons_[i].label, labelWidth_, static_cast<int>(i) == focus_);
    return canvas;
}

int MessageDialog::buttonAt(CellPos pos) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (CellRect::sized({rect_.left + buttonX_[i], rect_.bottom - 1}, buttonWidth(labelWidth_), 1).contains(pos))
            return static_cast<int>(i);
    return -1;
}

std::optional<int> MessageDialog::handle(const DialogEvent& event) {
    namespace vk = platform::vk;
    const int count = static_cast<int>(buttons_.size());
    switch (event.kind) {
        case DialogEvent::Kind::Closed: return escapeAnswer(buttons_);
        case DialogEvent::Kind::Click:
        case DialogEvent::Kind::DoubleClick: {
            const int index = buttonAt(event.pos);
            if (index >= 0) return buttons_[static_cast<std::size_t>(index)].id;
            return std::nullopt;
        }
        case DialogEvent::Kind::Drag:
        case DialogEvent::Kind::Wheel:
        case DialogEvent::Kind::Resized: return std::nullopt;
        case DialogEvent::Kind::Key: break;
    }
    switch (event.key) {
        case vk::kEscape: return escapeAnswer(buttons_);
        case vk::kReturn:
        case vk::kSpace: return buttons_[static_cast<std::size_t>(focus_)].id;
        case vk::kLeft: focus_ = (focus_ + count - 1) % count; return std::nullopt;
        case vk::kRight: focus_ = (focus_ + 1) % count; return std::nullopt;
        case vk::kTab: focus_ = focusAfterTab(focus_, count, event); return std::nullopt;
        default: break;
    }
    // A button's first letter presses it, in either case.
    if (event.ch != 0 && !event.ctrl() && !event.alt())
        for (const Button& button : buttons_)
            if (platform::foldedChar(event.ch) ==
                platform::foldedChar(static_cast<unsigned char>(button.label.front())))
                return button.id;
    return std::nullopt;
}

int runMessageBox(platform::ConsoleHost& host, const MessageBoxRequest& request) {
    MessageDialog box(request);
    return runDialog(host, box);
}

}  // namespace corrivex::ctpro
