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

void writeBytes(FileHandle file, const char* bytes, std::size_t size) {
    // One write; repeated only for what a pipe or a signal left over.
    while (size > 0) {
        const ssize_t written = write(descriptorOf(file), bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

void cutAtPosition(FileHandle file) {
    const off_t position = lseek(descriptorOf(file), 0, SEEK_CUR);
    if (position >= 0) (void)ftruncate(descriptorOf(file), position);
}

void closeFile(FileHandle file) { close(descriptorOf(file)); }

}  // namespace corrivex::native
