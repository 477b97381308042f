// The message box: a framed box in the middle of the window with a caption,
// a message and the buttons that the style asks for (MB_OK to MB_RETRYCANCEL,
// the default button from MB_DEFBUTTON1 to MB_DEFBUTTON3). It returns the
// kIdOk .. kIdNo value of the button pressed, and puts back what it covered.
// Styles, icons and answers are named in console_tools/ct_pro_codes.h.
#pragma once

#include <cstdint>
#include <string>

#include "console_tools/ct_pro_codes.h"
#include "platform/console_host.h"

namespace corrivex::ctpro {

struct MessageBoxRequest {
    std::string text;         // the message; wrapped to the box
    std::string caption;      // shown in the top border
    std::uint32_t style = 0;  // kMb* values
    std::int32_t icon = 0;    // a kIdi* system icon, else the style's kMbIcon* bits count
};

// Esc, and the end of input, give Cancel where the box has a Cancel button,
// else No where it has a No button, else OK (or Abort).
int runMessageBox(platform::ConsoleHost& host, const MessageBoxRequest& request);

}  // namespace corrivex::ctpro
