// The code page of a test program's texts: the ANSI code page on Windows
// (under Wine the one of LANG), UTF-8 (65001) on POSIX systems.
#pragma once

#ifdef _WIN32
#include <windows.h>
inline unsigned textCodePage() { return GetACP(); }
#else
inline unsigned textCodePage() { return 65001; }
#endif
