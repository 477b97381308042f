// Shared pieces of the primitives tests: a scratch directory made current for
// each test, whole-file reading and writing, and the few places where the platforms differ.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "primitives/text.h"

namespace corrivex::test {

namespace fs = std::filesystem;

// Each test runs in a fresh directory of its own under the system's temporary
// directory, made current for the test and removed afterwards. Files left
// open and the listing in progress are given up first.
class ScratchDirectory : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    const fs::path& root() const { return root_; }

private:
    fs::path previous_;
    fs::path root_;
};

// Whole files, byte for byte.
void writeBytes(const fs::path& file, const std::string& bytes);
std::string readBytes(const fs::path& file);

// Every entry of a listing (dirFirst, then dirNext up to the empty text),
// sorted, since the platforms deliver them in their own order.
std::vector<Text> listAll(const Text& mask, std::uint32_t attributes);
// Gives up the listing in progress.
void abandonListing();

// --- where the platforms differ ---

// The root of the file system as currentDir reports it: "C:\" or "/".
Text rootDirectory();
// A plain file that counts as hidden: a name with a leading '.' on POSIX,
// the hidden attribute on Windows. Returns the name it made.
Text makeHiddenFile(const Text& base);
// An entry that counts as a system entry: a file with the system attribute
// on Windows, a fifo on POSIX. Returns the name it made.
Text makeSystemEntry(const Text& base);
// A program's file name: "name.exe" on Windows.
Text programFile(const Text& name);
// The directory that holds this test program.
fs::path ownDirectory();
// Whether a second opener is kept out of a file that openFile holds open:
// Windows opens without sharing; POSIX has no mandatory equivalent.
inline constexpr bool kOpenFilesAreExclusive =
#ifdef _WIN32
    true;
#else
    false;
#endif
// Whether `file` can be opened for reading by someone else right now.
bool otherReaderCanOpen(const fs::path& file);
// This process's id.
unsigned long processId();
// Holds `file` as writeNewFile holds its temporary file: open without
// sharing on Windows, locked on POSIX. The result lets it go.
std::function<void()> holdAsWriter(const fs::path& file);

// Sets an environment variable for this process and the children it starts,
// and puts the old value back when it goes.
class EnvironmentOverride {
public:
    EnvironmentOverride(const std::string& name, const std::string& value);
    ~EnvironmentOverride();
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    std::string name_;
    std::string old_;
    bool hadValue_ = false;
};
// The separator of PATH entries: ';' on Windows, ':' on POSIX.
char pathListSeparator();

// A stream (a fifo on POSIX, a named pipe on Windows) that a thread of its
// own serves with `bytes` to the first reader that opens `name()`, and closes
// when the object goes.
class ServedStream {
public:
    explicit ServedStream(std::string bytes);
    ~ServedStream();
    ServedStream(const ServedStream&) = delete;
    ServedStream& operator=(const ServedStream&) = delete;
    const Text& name() const { return name_; }

private:
    struct Impl;
    Text name_;
    Impl* impl_;
};

}  // namespace corrivex::test
