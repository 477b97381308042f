// The look shared by the dialogs: colours and buttons. Every state that
// colour shows is also shown by a mark, so the dialogs read on any terminal.
#pragma once

#include <cstdint>
#include <string_view>

#include "ct_pro/canvas.h"

namespace corrivex::ctpro {

inline constexpr std::uint16_t kBoxAttr = 0x70;       // black on light grey
inline constexpr std::uint16_t kHintAttr = 0x71;      // blue on light grey
inline constexpr std::uint16_t kSelectedAttr = 0x71;  // a chosen entry
inline constexpr std::uint16_t kFocusAttr = 0x1F;     // bright white on blue

// A button is its label centred in `labelWidth` cells between brackets:
// "[  OK  ]", and "[> OK <]" in the focus colour when it has the focus.
int buttonWidth(int labelWidth);
// Where the label's first letter stands, from the button's left end.
int buttonLabelOffset(std::string_view label, int labelWidth);
void drawButton(Canvas& canvas, int x, int y, std::string_view label, int labelWidth, bool focused);

}  // namespace corrivex::ctpro
