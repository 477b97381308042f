// Text file descriptors on POSIX systems.
//
// Every descriptor is close-on-exec: a child process never inherits the front
// end's files. A name is opened as Windows would find it, without regard to
// letter case (storedFileName). Windows opens these files without sharing; POSIX has no
// mandatory equivalent and none is imitated.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

#include "primitives/native_file.h"
#include "primitives/temporary_name.h"
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

// Gives the temporary file the name `name`, replacing nothing: by a rename,
// after which no name of the temporary file is left, or where the file
// system cannot rename without replacing, by a link and the removal of the
// temporary name.
bool takeName(const Text& temporary, const Text& name) {
    if (renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno == EEXIST || link(temporary.c_str(), name.c_str()) != 0) return false;
    unlink(temporary.c_str());
    return true;
}

// Through a temporary file of a name of its own (temporary_name.h) beside
// `name`, locked while it has that name: a later run takes it for a
// leftover only when its process has ended and the lock is free.
void placeNamed(const Text& name, std::string_view contents) {
    Text temporary;
    int descriptor = -1;
    for (unsigned attempt = 0; attempt < temporary::kTries && descriptor < 0; ++attempt) {
        temporary = temporary::nameFor(name, static_cast<temporary::ProcessId>(getpid()), attempt);
        descriptor = openRetrying(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (descriptor < 0 && errno != EEXIST) return;
    }
    if (descriptor < 0) return;
    (void)flock(descriptor, LOCK_EX | LOCK_NB);  // a new file: nobody else holds it
    if (!writeWhole(descriptor, contents) || !takeName(temporary, name)) unlink(temporary.c_str());
    close(descriptor);
}

}  // namespace

void placeNewFile(const Text& name, std::string_view contents) {
    const Text directory = name.substr(0, temporary::entryStart(name));
    if (placedUnnamed(directory.empty() ? Text(".") : directory, name, contents)) return;
    placeNamed(name, contents);
}

// A process id beyond pid_t, or 0, names no process of its own (kill would
// take it for a process group): such a process is not judged.
bool processHasEnded(temporary::ProcessId owner) {
    if (owner == 0 || owner > static_cast<temporary::ProcessId>(std::numeric_limits<pid_t>::max())) return false;
    return kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH;
}

// Only a regular file, and only while the entry is still the file that was
// opened: opening follows no link and waits for no fifo put in its place.
// NFS grants the lock only to a file open for writing; nothing is written.
void removeIfUnheld(const Text& name) {
    struct stat named;
    if (lstat(name.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) return;
    const int descriptor = openRetrying(name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0) return;
    struct stat opened;
    if (fstat(descriptor, &opened) == 0 && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino &&
        flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        unlink(name.c_str());
    close(descriptor);
}

}  // namespace corrivex::native
