#include "ct_pro/dialog_style.h"

#include <algorithm>
#include <string>

namespace corrivex::ctpro {

int buttonWidth(int labelWidth) { return labelWidth + 4; }

int buttonLabelOffset(std::string_view label, int labelWidth) {
    return 2 + (labelWidth - static_cast<int>(std::min(label.size(), static_cast<std::size_t>(labelWidth)))) / 2;
}

void drawButton(Canvas& canvas, int x, int y, std::string_view label, int labelWidth, bool focused) {
    const int width = buttonWidth(labelWidth);
    std::string cells(static_cast<std::size_t>(width), ' ');
    cells.front() = '[';
    cells.back() = ']';
    if (focused) {
        cells[1] = '>';
        cells[cells.size() - 2] = '<';
    }
    const std::size_t shown = std::min(label.size(), static_cast<std::size_t>(labelWidth));
    cells.replace(static_cast<std::size_t>(buttonLabelOffset(label, labelWidth)), shown, label.substr(0, shown));
    canvas.text(x, y, cells, focused ? kFocusAttr : kBoxAttr);
}

}  // namespace corrivex::ctpro
