// The message box as a dialog (dialog_loop.h): its layout, its buttons and
// what each key and click does. runMessageBox (message_box.h) shows it; the
// fuzzer drives it directly.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ct_pro/canvas.h"
#include "ct_pro/dialog_input.h"
#include "ct_pro/dialog_style.h"
#include "ct_pro/message_box.h"
#include "platform/console_host.h"

namespace corrivex::ctpro {

class MessageDialog {
public:
    struct Button {
        std::string_view label;
        int id;
    };

    explicit MessageDialog(const MessageBoxRequest& request);

    void place(platform::CellRect window);
    bool fits() const { return fits_; }
    const platform::CellRect& rect() const { return rect_; }
    Canvas draw() const;
    // On the focused button's label.
    platform::CellPos cursor() const {
        const Button& button = buttons_[static_cast<std::size_t>(focus_)];
        return {rect_.left + buttonX_[static_cast<std::size_t>(focus_)] + buttonLabelOffset(button.label, labelWidth_),
                rect_.bottom - 1};
    }
    std::optional<int> handle(const DialogEvent& event);
    int buttonCount() const { return static_cast<int>(buttons_.size()); }
    int focus() const { return focus_; }

private:
    int buttonAt(platform::CellPos pos) const;

    std::vector<Button> buttons_;
    std::string text_;
    std::string fullCaption_;
    std::string caption_;
    std::string_view mark_;
    std::vector<std::string> lines_;
    int labelWidth_ = 0;
    int focus_ = 0;
    platform::CellRect rect_;
    bool fits_ = true;
    std::vector<int> buttonX_;  // left column of each button, relative to the box
};

}  // namespace corrivex::ctpro
