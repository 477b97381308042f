// Text file handles on Windows.
#include <windows.h>

#include <string_view>

#include "primitives/error_mode_guard.h"
#include "primitives/native_file.h"
#include "primitives/out_of_memory.h"
#include "primitives/temporary_name.h"
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

namespace {

// Marks the open file to be removed when its last handle is closed, also
// by the end of the process, or takes the mark back.
bool markForRemoval(HANDLE file, bool removed) {
    FILE_DISPOSITION_INFO disposition{removed};
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

// A new temporary file for `name` (temporary_name.h), for writing and
// removal, shared with nobody but a mover; its name is left in `temporary`.
HANDLE createTemporary(const Text& name, Text& temporary) {
    for (unsigned attempt = 0; attempt < temporary::kTries; ++attempt) {
        temporary = temporary::nameFor(name, GetCurrentProcessId(), attempt);
        const HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

// The temporary file is marked for removal from the moment it is made until
// it is whole and flushed, and stays open, held against every other opener
// but a mover, until it has its name. Only between taking the mark back and
// the move does an end of the process leave it, held by nobody.
void placeNewFile(const Text& name, std::string_view contents) {
    const ErrorModeGuard quiet;
    Text temporary;
    const HANDLE file = createTemporary(name, temporary);
    if (file == INVALID_HANDLE_VALUE) return;
    const bool marked = markForRemoval(file, true);  // not where the file system cannot
    const bool placed = writeBytes(fileOf(file), contents.data(), contents.size()) && FlushFileBuffers(file) &&
                        (!marked || markForRemoval(file, false)) &&
                        MoveFileExA(temporary.c_str(), name.c_str(), MOVEFILE_WRITE_THROUGH);
    const bool removed = placed || markForRemoval(file, true);
    CloseHandle(file);
    if (!removed) DeleteFileA(temporary.c_str());
}

// A process that cannot be opened for another reason (another user's) may
// still run. An ended process keeps its id while a handle to it is left, and
// then has ended; an id used again names a live process, whose files stay.
bool processHasEnded(temporary::ProcessId owner) {
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, owner);
    if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Opened without sharing, which fails while the writer holds the file; a
// link is opened itself, not what it points to, and stays, as a directory
// does.
void removeIfUnheld(const Text& name) {
    const ErrorModeGuard quiet;
    const HANDLE file = CreateFileA(name.c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileInformationByHandle(file, &information) &&
        !(information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        markForRemoval(file, true);
    CloseHandle(file);
}

}  // namespace corrivex::native

namespace corrivex {

Text storedFileName(const Text& name) {
    return memory::textOrEmpty([&] { return name; });
}

}  // namespace corrivex
