// The message box: a framed box in the middle of the window with a caption,
// a message and the buttons that the style asks for (MB_OK to MB_RETRYCANCEL,
// the default button from MB_DEFBUTTON1 to MB_DEFBUTTON3). It returns the
// IDOK .. IDNO value of the button pressed, and puts back what it covered.
#pragma once

#include <cstdint>
#include <string>

#include "platform/console_host.h"

namespace corrivex::ctpro {

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

struct MessageBoxRequest {
    std::string text;     // the message; wrapped to the box
    std::string caption;  // shown in the top border
    std::uint32_t style = 0;
    std::int32_t icon = 0;  // an IDI_* resource number, else the style's MB_ICON* bits count
};

// Esc, and the end of input, give Cancel where the box has a Cancel button,
// else No where it has a No button, else OK (or Abort).
int runMessageBox(platform::ConsoleHost& host, const MessageBoxRequest& request);

}  // namespace corrivex::ctpro
