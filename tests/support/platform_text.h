// Texts that the tests write in UTF-8, as the program holds them: UTF-8 on
// POSIX, the ANSI code page on Windows (none where it cannot spell them).
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace corrivex::testing {

inline std::optional<std::string> platformText(std::string_view utf8) {
#ifdef _WIN32
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wide.size())));
    std::string bytes(wide.size() * 4, '\0');
    BOOL defaulted = FALSE;
    const bool utf8Page = GetACP() == CP_UTF8;
    bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, utf8Page ? 0 : WC_NO_BEST_FIT_CHARS, wide.data(),
                                                              wide.size(), bytes.data(), bytes.size(), nullptr,
                                                              utf8Page ? nullptr : &defaulted)));
    return defaulted ? std::nullopt : std::optional(bytes);
#else
    return std::string(utf8);
#endif
}

// Why a locale test should be skipped: the system took another code page than its LANG should give
// (CORRIVEX_TEST_CODE_PAGE); empty when none was asked for, or it was given.
inline std::string codePageNotAsked() {
#ifdef _WIN32
    const char* asked = std::getenv("CORRIVEX_TEST_CODE_PAGE");
    if (asked && std::to_string(GetACP()) != asked) return std::string("not the code page asked for: ") + asked;
#endif
    return {};
}

}  // namespace corrivex::testing
