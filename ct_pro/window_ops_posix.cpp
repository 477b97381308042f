// A terminal has no window that a program may move, decorate or raise:
// nothing here changes anything (the title is set in window_ops.cpp).
#include "ct_pro/window_ops.h"

namespace corrivex::ctpro {

bool initWindowOps(void*) { return false; }

bool moveWindow(std::int32_t, std::int32_t) { return false; }

bool setWindowIcon(std::int32_t) { return false; }

bool deleteWindowMenuItem(std::int32_t) { return false; }

bool restoreWindowMenu() { return false; }

bool bringWindowToTop() { return false; }

}  // namespace corrivex::ctpro
