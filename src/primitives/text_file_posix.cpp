// Text file descriptors on POSIX systems.
//
// Every descriptor is close-on-exec: a child process never inherits the front
// end's files. A name is opened as Windows would find it, without regard to
// letter case (storedFileName). Windows opens these files without sharing; POSIX has no
// mandatory equivalent and none is imitated.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>

#include "primitives/native_file.h"
#include "primitives/text_file.h"

namespace corrivex::native {
namespace {

int descriptorOf(FileHandle file) { return static_cast<int>(file); }

int openRetrying(const char* name, int flags, mode_t mode = 0) {
    int descriptor;
    do {
        descriptor = open(name, flags | O_CLOEXEC, mode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

}  // namespace

FileHandle openForReading(const Text& name) {
    const int descriptor = openRetrying(storedFileName(name).c_str(), O_RDONLY);
    if (descriptor < 0) return kNoFile;
    // A directory opens for reading here, but it is no text file.
    struct stat status;
    if (fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode)) {
        close(descriptor);
        return kNoFile;
    }
    return descriptor;
}

FileHandle openForWriting(const Text& name) {
    const int descriptor = openRetrying(storedFileName(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    return descriptor < 0 ? kNoFile : descriptor;
}

bool isDiskFile(FileHandle file) {
    struct stat status;
    return fstat(descriptorOf(file), &status) == 0 && S_ISREG(status.st_mode);
}

std::size_t readBytes(FileHandle file, char* buffer, std::size_t size) {
    ssize_t got;
    do {
        got = read(descriptorOf(file), buffer, size);
    } while (got < 0 && errno == EINTR);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

bool writeBytes(FileHandle file, const char* bytes, std::size_t size) {
    // One write; repeated only for what a pipe or a signal left over.
    while (size > 0) {
        const ssize_t written = write(descriptorOf(file), bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void cutAtPosition(FileHandle file) {
    const off_t position = lseek(descriptorOf(file), 0, SEEK_CUR);
    if (position >= 0) (void)ftruncate(descriptorOf(file), position);
}

void closeFile(FileHandle file) { close(descriptorOf(file)); }

namespace {

// All of `contents` written and on the disk (where the file system keeps
// such a promise).
bool writeWhole(int descriptor, std::string_view contents) {
    if (!writeBytes(descriptor, contents.data(), contents.size())) return false;
    return fdatasync(descriptor) == 0 || errno == EINVAL || errno == ENOSYS;
}

// Links the file of no name open as `descriptor` under `name`; false with
// errno set.
bool linkUnnamed(int descriptor, const Text& name) {
    const Text path = "/proc/self/fd/" + std::to_string(descriptor);
    return linkat(AT_FDCWD, path.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Through a file of no name in the directory (O_TMPFILE), which no end of
// the process leaves behind. False when that cannot be tried here: the file
// system makes no such files, or they cannot be linked.
bool placedUnnamed(const Text& directory, const Text& name, std::string_view contents) {
    const int descriptor = openRetrying(directory.c_str(), O_TMPFILE | O_WRONLY, 0666);
    if (descriptor < 0) return false;
    bool tried = true;
    if (writeWhole(descriptor, contents) && !linkUnnamed(descriptor, name)) tried = errno == EEXIST;
    close(descriptor);
    return tried;
}

// Through a temporary file of a name of its own, hidden, beside `name`;
// gives it the name with link, or where the file system has no links, with a
// rename that replaces nothing.
void placeNamed(const Text& prefix, const Text& name, std::string_view contents) {
    const Text stem = prefix + "." + name.substr(prefix.size()) + "." + std::to_string(getpid()) + ".";
    Text temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary = stem + std::to_string(attempt);
        descriptor = openRetrying(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (descriptor < 0 && errno != EEXIST) return;
    }
    if (descriptor < 0) return;
    bool whole = writeWhole(descriptor, contents);
    whole = close(descriptor) == 0 && whole;
    if (whole && link(temporary.c_str(), name.c_str()) != 0 && errno != EEXIST &&
        renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0)
        return;  // the temporary file has become the new file
    unlink(temporary.c_str());
}

}  // namespace

void placeNewFile(const Text& name, std::string_view contents) {
    const std::size_t slash = name.rfind('/');
    const Text prefix = slash == Text::npos ? Text() : name.substr(0, slash + 1);
    if (placedUnnamed(prefix.empty() ? Text(".") : prefix, name, contents)) return;
    placeNamed(prefix, name, contents);
}

}  // namespace corrivex::native
