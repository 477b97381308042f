// A terminal has no window that a program may move, decorate or raise: only
// the title is set, through the console host.
#include "platform/console_host.h"
#include "window_ops.h"

namespace corrivex::ctpro {

bool initWindowOps(void*) { return false; }

bool showToolBar(std::int32_t, std::int32_t) { return false; }

bool moveWindow(std::int32_t, std::int32_t) { return false; }

bool setWindowIcon(std::int32_t) { return false; }

std::string setWindowTitle(const std::string& title) {
    platform::consoleHost().setTitle(title);
    return title;
}

bool deleteWindowMenuItem(std::int32_t) { return false; }

bool restoreWindowMenu() { return false; }

bool bringWindowToTop() { return false; }

}  // namespace corrivex::ctpro
