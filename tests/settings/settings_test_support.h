// A fresh, empty directory made current for one test, and small file
// helpers that go straight to the standard library (never through the code
// under test).
#pragma once

#include <filesystem>
#include <string>

#include "scratch_directory.h"

namespace corrivex::settings::testing {

// The scratch directory is current while the object lives.
class ScratchDirectory {
public:
    const std::filesystem::path& path() const { return directory_.path(); }

private:
    corrivex::testing::ScratchDirectory directory_;
    corrivex::testing::CurrentDirectoryScope inside_{directory_.path()};
};

// The whole file as bytes; the empty string when it cannot be read.
std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

// Lines joined with CR LF after each.
std::string crlfLines(std::initializer_list<std::string> lines);

// A settings file of 28 lines: `answer` on line 2, `coursePath` on line 28,
// the default texts elsewhere.
std::string settingsWith(const std::string& answer, const std::string& coursePath);

// Whether the current directory is `directory`.
bool isCurrent(const std::filesystem::path& directory);

// Whether files can be made in `directory` (they can, whatever its
// permissions, for a privileged user).
bool canCreateIn(const std::filesystem::path& directory);

}  // namespace corrivex::settings::testing
