// The numbers that the operations of CT_PRO.DLL take and give back, with the
// values (and, in their names, the names) that Windows gives them: the
// message box's buttons, icon, first focus and answers, the system icons,
// the window menu commands, and ConsoleMove's request to centre. They cross
// the library's boundary as 32-bit integers.
#pragma once

#include <cstdint>

namespace corrivex::ctpro {

// ConsoleMessageBox's style: the sum of one choice of buttons, an icon
// (shown where the icon argument names no system icon) and the button that
// has the focus first.
enum MessageBoxStyle : std::int32_t {
    kMbButtonsMask = 0x00F,
    kMbOk = 0x000,
    kMbOkCancel = 0x001,
    kMbAbortRetryIgnore = 0x002,
    kMbYesNoCancel = 0x003,
    kMbYesNo = 0x004,
    kMbRetryCancel = 0x005,

    kMbIconMask = 0x0F0,
    kMbIconHand = 0x010,
    kMbIconQuestion = 0x020,
    kMbIconExclamation = 0x030,
    kMbIconAsterisk = 0x040,

    kMbDefButtonMask = 0xF00,
    kMbDefButton1 = 0x000,
    kMbDefButton2 = 0x100,
    kMbDefButton3 = 0x200,
};

// ConsoleMessageBox's answer: the button pressed.
enum MessageBoxAnswer : std::int32_t {
    kIdOk = 1,
    kIdCancel = 2,
    kIdAbort = 3,
    kIdRetry = 4,
    kIdIgnore = 5,
    kIdYes = 6,
    kIdNo = 7,
};

// System icons: ConsoleIcon's argument, and ConsoleMessageBox's icon.
enum SystemIcon : std::int32_t {
    kIdiHand = 32513,
    kIdiQuestion = 32514,
    kIdiExclamation = 32515,
    kIdiAsterisk = 32516,
};

// Window menu commands: DeleteWindowMenuItem's argument.
enum WindowMenuCommand : std::int32_t {
    kScSize = 0xF000,
    kScMinimize = 0xF020,
    kScMaximize = 0xF030,
    kScClose = 0xF060,
};

// A coordinate of ConsoleMove that centres the window on the work area
// along that axis.
inline constexpr std::int32_t kCentre = 32767;

}  // namespace corrivex::ctpro
