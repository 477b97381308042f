// Texts that the tests write in UTF-8, as the program holds them on its
// platform: UTF-8 on POSIX, bytes of the system's ANSI code page on Windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace corrivex::testing {

// None where the ANSI code page cannot spell `utf8`.
inline std::optional<std::string> platformText(std::string_view utf8) {
#ifdef _WIN32
    if (utf8.empty()) return std::string();
    std::wstring wide(utf8.size(), L'\0');
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                          wide.data(), static_cast<int>(wide.size()));
    if (units <= 0) return std::nullopt;
    const bool utf8Page = GetACP() == CP_UTF8;
    std::string bytes(static_cast<std::size_t>(units) * 4, '\0');
    BOOL defaulted = FALSE;
    const int length =
        WideCharToMultiByte(CP_ACP, utf8Page ? 0 : WC_NO_BEST_FIT_CHARS, wide.data(), units, bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, utf8Page ? nullptr : &defaulted);
    if (length <= 0 || defaulted) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
#else
    return std::string(utf8);
#endif
}

}  // namespace corrivex::testing
