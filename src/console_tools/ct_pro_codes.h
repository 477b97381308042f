// The numbers that the operations of CT_PRO.DLL take and give back, with the
// values (and, in their names, the names) that Windows gives them: the
// message box's buttons, icon, first focus and answers, the system icons,
// the window menu commands, and ConsoleMove's request to centre.
#pragma once

#include <cstdint>

namespace corrivex::ctpro {

// ConsoleMessageBox's style is the sum of one choice of buttons...
inline constexpr std::int32_t kMbButtonsMask = 0x00F;
inline constexpr std::int32_t kMbOk = 0x000;
inline constexpr std::int32_t kMbOkCancel = 0x001;
inline constexpr std::int32_t kMbAbortRetryIgnore = 0x002;
inline constexpr std::int32_t kMbYesNoCancel = 0x003;
inline constexpr std::int32_t kMbYesNo = 0x004;
inline constexpr std::int32_t kMbRetryCancel = 0x005;
// ... an icon, shown where the icon argument names no system icon ...
inline constexpr std::int32_t kMbIconMask = 0x0F0;
inline constexpr std::int32_t kMbIconHand = 0x010;
inline constexpr std::int32_t kMbIconQuestion = 0x020;
inline constexpr std::int32_t kMbIconExclamation = 0x030;
inline constexpr std::int32_t kMbIconAsterisk = 0x040;
// ... and the button that has the focus first.
inline constexpr std::int32_t kMbDefButtonMask = 0xF00;
inline constexpr std::int32_t kMbDefButton1 = 0x000;
inline constexpr std::int32_t kMbDefButton2 = 0x100;
inline constexpr std::int32_t kMbDefButton3 = 0x200;

// ConsoleMessageBox's answer: the button pressed.
inline constexpr std::int32_t kIdOk = 1;
inline constexpr std::int32_t kIdCancel = 2;
inline constexpr std::int32_t kIdAbort = 3;
inline constexpr std::int32_t kIdRetry = 4;
inline constexpr std::int32_t kIdIgnore = 5;
inline constexpr std::int32_t kIdYes = 6;
inline constexpr std::int32_t kIdNo = 7;

// System icons: ConsoleIcon's argument, and ConsoleMessageBox's icon.
inline constexpr std::int32_t kIdiHand = 32513;
inline constexpr std::int32_t kIdiQuestion = 32514;
inline constexpr std::int32_t kIdiExclamation = 32515;
inline constexpr std::int32_t kIdiAsterisk = 32516;

// Window menu commands: DeleteWindowMenuItem's argument.
inline constexpr std::int32_t kScSize = 0xF000;
inline constexpr std::int32_t kScMinimize = 0xF020;
inline constexpr std::int32_t kScMaximize = 0xF030;
inline constexpr std::int32_t kScClose = 0xF060;

// A coordinate of ConsoleMove that centres the window on the work area
// along that axis.
inline constexpr std::int32_t kCentre = 32767;

}  // namespace corrivex::ctpro
