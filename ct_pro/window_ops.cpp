// The window operations that are the same on every platform.
#include "platform/console_host.h"
#include "window_ops.h"

namespace corrivex::ctpro {

bool showToolBar(std::int32_t, std::int32_t) { return false; }

std::string setWindowTitle(const std::string& title) {
    platform::consoleHost().setTitle(title);
    return title;
}

}  // namespace corrivex::ctpro
