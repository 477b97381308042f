// The code page of a test program's texts: the ANSI code page on Windows
// (under Wine the one of LANG), UTF-8 on POSIX systems. Rows of tests that
// hold names in several code pages run where theirs is this one.
#pragma once

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace corrivex::testing {

inline constexpr unsigned kUtf8 = 65001;

inline unsigned textCodePage() {
#ifdef _WIN32
    return GetACP();
#else
    return kUtf8;
#endif
}

// Empty when the code page is the one the test's locale asks for
// (CORRIVEX_TEST_CODE_PAGE, set by corrivex_add_locale_tests), or when none
// is asked for; else why not, for a skip.
inline std::string codePageMissing() {
    const char* asked = std::getenv("CORRIVEX_TEST_CODE_PAGE");
    if (asked == nullptr || std::to_string(textCodePage()) == asked) return {};
    const char* locale = std::getenv("LANG");
    return "The system took code page " + std::to_string(textCodePage()) + ", not " + asked +
           ", from LANG=" + (locale ? locale : "") + ": not the code page asked for";
}

}  // namespace corrivex::testing
