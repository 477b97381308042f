// Text file handles on Windows.
#include <windows.h>

#include "primitives/characters.h"
#include "primitives/error_mode_guard.h"
#include "primitives/native_file.h"
#include "primitives/out_of_memory.h"
#include "primitives/text_file.h"

namespace corrivex::native {
namespace {

HANDLE handleOf(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

FileHandle fileOf(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(handle);
}

}  // namespace

FileHandle openForReading(const Text& name) {
    const ErrorModeGuard quiet;
    return fileOf(CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle openForWriting(const Text& name) {
    const ErrorModeGuard quiet;
    return fileOf(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool isDiskFile(FileHandle file) { return GetFileType(handleOf(file)) == FILE_TYPE_DISK; }

std::size_t readBytes(FileHandle file, char* buffer, std::size_t size) {
    const ErrorModeGuard quiet;
    DWORD got = 0;
    if (!ReadFile(handleOf(file), buffer, static_cast<DWORD>(size), &got, nullptr)) return 0;
    return got;
}

bool writeBytes(FileHandle file, const char* bytes, std::size_t size) {
    const ErrorModeGuard quiet;
    DWORD written = 0;
    return WriteFile(handleOf(file), bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

void cutAtPosition(FileHandle file) {
    const ErrorModeGuard quiet;
    if (SetFilePointer(handleOf(file), 0, nullptr, FILE_CURRENT) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR) {
        return;
    }
    SetEndOfFile(handleOf(file));
}

void closeFile(FileHandle file) { CloseHandle(handleOf(file)); }

// The temporary file is made by the platform (an empty file of a name of its
// own in the directory) and moved to the name without replacing anything.
void placeNewFile(const Text& name, std::string_view contents) {
    const ErrorModeGuard quiet;
    const std::size_t end = findLastCharacterOf(name, "\\/:");
    const Text directory = end == Text::npos ? Text(".") : name.substr(0, end + 1);
    char temporary[MAX_PATH];
    if (GetTempFileNameA(directory.c_str(), "cvx", 0, temporary) == 0) return;
    const FileHandle file =
        fileOf(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    bool whole =
        file != kNoFile && writeBytes(file, contents.data(), contents.size()) && FlushFileBuffers(handleOf(file));
    if (file != kNoFile) whole = CloseHandle(handleOf(file)) && whole;
    if (!whole || !MoveFileExA(temporary, name.c_str(), MOVEFILE_WRITE_THROUGH)) DeleteFileA(temporary);
}

}  // namespace corrivex::native

namespace corrivex {

Text storedFileName(const Text& name) {
    return memory::textOrEmpty([&] { return name; });
}

}  // namespace corrivex
