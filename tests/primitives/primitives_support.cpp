#include "primitives_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <thread>

#include "primitives/directory.h"
#include "primitives/text_file.h"

namespace corrivex::test {

unsigned long processId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

namespace {

fs::path uniqueScratchPath() {
    static int made = 0;
    return fs::temp_directory_path() /
           ("corrivex-primitives-" + std::to_string(processId()) + "-" + std::to_string(++made));
}

}  // namespace

void ScratchDirectory::SetUp() {
    previous_ = fs::current_path();
    root_ = uniqueScratchPath();
    fs::remove_all(root_);
    fs::create_directories(root_);
#ifndef _WIN32
    root_ = fs::canonical(root_);  // as getcwd will report it, symbolic links resolved
#endif
    fs::current_path(root_);
}

void ScratchDirectory::TearDown() {
    // The numbers the tests use; closing a number that is not open does nothing.
    for (int number = 0; number <= 120; ++number) closeFile(static_cast<FileNumber>(number));
    closeFile(std::numeric_limits<FileNumber>::max());
    abandonListing();
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << file;
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<Text> listAll(const Text& mask, std::uint32_t attributes) {
    std::vector<Text> names;
    for (Text name = dirFirst(mask, attributes); !name.empty(); name = dirNext()) {
        names.push_back(name);
        if (names.size() > 10000) break;  // a listing that never ends
    }
    std::sort(names.begin(), names.end());
    return names;
}

void abandonListing() { dirFirst("no-entry-is-called-this-*", attr::kNone); }

#ifdef _WIN32

Text rootDirectory() { return "C:\\"; }

Text makeHiddenFile(const Text& base) {
    writeBytes(base, "hidden");
    EXPECT_TRUE(SetFileAttributesA(base.c_str(), FILE_ATTRIBUTE_HIDDEN));
    return base;
}

Text makeSystemEntry(const Text& base) {
    writeBytes(base, "system");
    EXPECT_TRUE(SetFileAttributesA(base.c_str(), FILE_ATTRIBUTE_SYSTEM));
    return base;
}

Text programFile(const Text& name) { return name + ".exe"; }

fs::path ownDirectory() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return fs::path(std::string(path, length)).parent_path();
}

bool otherReaderCanOpen(const fs::path& file) {
    const HANDLE handle =
        CreateFileA(file.string().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

std::function<void()> holdAsWriter(const fs::path& file) {
    const HANDLE handle = CreateFileA(file.string().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(handle, INVALID_HANDLE_VALUE) << file;
    return [handle] { CloseHandle(handle); };
}

EnvironmentOverride::EnvironmentOverride(const std::string& name, const std::string& value) : name_(name) {
    char old[32767];
    const DWORD length = GetEnvironmentVariableA(name.c_str(), old, sizeof old);
    hadValue_ = length > 0 && length < sizeof old;
    if (hadValue_) old_.assign(old, length);
    SetEnvironmentVariableA(name.c_str(), value.c_str());
}

EnvironmentOverride::~EnvironmentOverride() {
    SetEnvironmentVariableA(name_.c_str(), hadValue_ ? old_.c_str() : nullptr);
}

char pathListSeparator() { return ';'; }

struct ServedStream::Impl {
    HANDLE pipe = INVALID_HANDLE_VALUE;
    std::atomic<bool> connected{false};
    std::thread server;
};

ServedStream::ServedStream(std::string bytes) : impl_(new Impl) {
    static int made = 0;
    name_ = "\\\\.\\pipe\\corrivex-primitives-" + std::to_string(processId()) + "-" + std::to_string(++made);
    impl_->pipe =
        CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
    EXPECT_NE(impl_->pipe, INVALID_HANDLE_VALUE);
    impl_->server = std::thread([this, bytes = std::move(bytes)] {
        const HANDLE pipe = impl_->pipe;
        if (pipe == INVALID_HANDLE_VALUE) return;
        if (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
            impl_->connected = true;
            DWORD written = 0;
            WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            FlushFileBuffers(pipe);  // until the reader has taken it all, or gone
        }
        CloseHandle(pipe);  // the reader sees the end of the stream
    });
}

ServedStream::~ServedStream() {
    if (!impl_->connected) {
        // Nobody opened the stream: connect once so that the server ends.
        const HANDLE client = CreateFileA(name_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (client != INVALID_HANDLE_VALUE) CloseHandle(client);
    }
    impl_->server.join();
    delete impl_;
}

#else

Text rootDirectory() { return "/"; }

Text makeHiddenFile(const Text& base) {
    const Text name = "." + base;
    writeBytes(name, "hidden");
    return name;
}

Text makeSystemEntry(const Text& base) {
    EXPECT_EQ(mkfifo(base.c_str(), 0600), 0);
    return base;
}

Text programFile(const Text& name) { return name; }

fs::path ownDirectory() { return fs::read_symlink("/proc/self/exe").parent_path(); }

bool otherReaderCanOpen(const fs::path& file) {
    const int descriptor = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    close(descriptor);
    return true;
}

std::function<void()> holdAsWriter(const fs::path& file) {
    const int descriptor = open(file.c_str(), O_WRONLY | O_CLOEXEC);
    EXPECT_EQ(flock(descriptor, LOCK_EX), 0) << file;
    return [descriptor] { close(descriptor); };
}

EnvironmentOverride::EnvironmentOverride(const std::string& name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name.c_str())) {
        hadValue_ = true;
        old_ = old;
    }
    setenv(name.c_str(), value.c_str(), 1);
}

EnvironmentOverride::~EnvironmentOverride() {
    if (hadValue_) {
        setenv(name_.c_str(), old_.c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

char pathListSeparator() { return ':'; }

struct ServedStream::Impl {
    std::atomic<bool> connected{false};
    std::thread server;
};

ServedStream::ServedStream(std::string bytes) : impl_(new Impl) {
    static int made = 0;
    name_ = "stream-" + std::to_string(++made);
    EXPECT_EQ(mkfifo(name_.c_str(), 0600), 0);
    // The absolute name: the test may change the current directory meanwhile.
    const std::string path = fs::absolute(name_).string();
    impl_->server = std::thread([this, path, bytes = std::move(bytes)] {
        // A reader that stops early must not end the test with SIGPIPE.
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
        const int descriptor = open(path.c_str(), O_WRONLY | O_CLOEXEC);  // waits for the reader
        if (descriptor < 0) return;
        impl_->connected = true;
        const ssize_t written = write(descriptor, bytes.data(), bytes.size());
        (void)written;
        close(descriptor);
    });
    name_ = path;
}

ServedStream::~ServedStream() {
    if (!impl_->connected) {
        // Nobody opened the stream: open it once so that the server ends.
        const int descriptor = open(name_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        impl_->server.join();
        if (descriptor >= 0) close(descriptor);
    } else {
        impl_->server.join();
    }
    delete impl_;
}

#endif

}  // namespace corrivex::test
