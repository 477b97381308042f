// The listing and the current directory on Windows: the platform's own
// wildcard search and current-directory calls.
#include <windows.h>

#include <string>

#include "primitives/characters.h"
#include "primitives/directory.h"
#include "primitives/error_mode_guard.h"
#include "primitives/length_limits.h"
#include "primitives/native_directory.h"

namespace corrivex {

Text pathSeparator() { return "\\"; }

namespace native {
namespace {

// The one listing of the process.
struct Listing {
    HANDLE search = INVALID_HANDLE_VALUE;
    std::uint32_t attributes = attr::kNone;
    WIN32_FIND_DATAA entry{};
};
Listing listing;

bool passes(const WIN32_FIND_DATAA& entry, std::uint32_t attributes) {
    const Text name = entry.cFileName;
    if (name == "." || name == "..") return false;
    const DWORD filtered = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    return (entry.dwFileAttributes & filtered & ~attributes) == 0;
}

// From the entry in `listing.entry` on, the first one that passes.
Text firstPassing() {
    for (;;) {
        if (passes(listing.entry, listing.attributes)) return listing.entry.cFileName;
        if (!FindNextFileA(listing.search, &listing.entry)) {
            listClose();
            return Text();
        }
    }
}

}  // namespace

Text listFirst(const Text& mask, std::uint32_t attributes) {
    const ErrorModeGuard quiet;
    listClose();
    Text search = mask;
    if (endsWithCharacterOf(search, ":\\")) search += "*.*";
    listing.attributes = attributes;
    listing.search = FindFirstFileA(search.c_str(), &listing.entry);
    if (listing.search == INVALID_HANDLE_VALUE) return Text();
    return firstPassing();
}

Text listNext() {
    if (listing.search == INVALID_HANDLE_VALUE) return Text();
    const ErrorModeGuard quiet;
    if (!FindNextFileA(listing.search, &listing.entry)) {
        listClose();
        return Text();
    }
    return firstPassing();
}

void keepEntries(bool) {}

void listClose() {
    if (listing.search == INVALID_HANDLE_VALUE) return;
    FindClose(listing.search);
    listing.search = INVALID_HANDLE_VALUE;
}

Text currentDirectory() {
    const ErrorModeGuard quiet;
    char path[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
    if (length == 0 || length >= MAX_PATH) return Text();  // failed, or too long for the buffer
    return Text(path, length);
}

bool setCurrentDirectory(const Text& path) {
    const ErrorModeGuard quiet;
    return SetCurrentDirectoryA(path.c_str()) != 0;
}

// The wide call, which takes what the ANSI code page cannot spell. No
// character takes more than three bytes of UTF-8 for its UTF-16 unit (four
// for two), so a longer text is over the limit without converting it.
bool setCurrentDirectoryUtf8(const Text& path) {
    if (path.size() > 3 * limits::kDirectoryPath) return false;
    const int bytes = static_cast<int>(path.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), bytes, nullptr, 0);
    if (length <= 0 || static_cast<std::size_t>(length) > limits::kDirectoryPath) return false;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), bytes, wide.data(), length) != length)
        return false;
    const ErrorModeGuard quiet;
    return SetCurrentDirectoryW(wide.c_str()) != 0;
}

}  // namespace native
}  // namespace corrivex
