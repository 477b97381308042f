// The window operations that are the same on every platform.
#include "ct_pro/window_ops.h"

namespace corrivex::ctpro {

bool showToolBar(std::int32_t, std::int32_t) { return false; }

std::string setWindowTitle(platform::ConsoleHost& console, const std::string& title) {
    console.setTitle(title);
    return title;
}

}  // namespace corrivex::ctpro
