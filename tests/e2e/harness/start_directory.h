// Preparing the directory a run starts in, and reading what it left there.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace corrivex::e2e {

// The settings file as a first run writes it: 28 lines, each ended by CR LF.
std::string defaultSettings();

// A settings file with the default questions and answers, except the
// batch-mode answer (line 2) and the course-files path (line 28).
std::string settingsWith(const std::string& batchAnswer, const std::string& coursePath);

// Writes `contents` to dir/name as they stand (binary).
void writeFile(const std::filesystem::path& dir, const std::string& name, const std::string& contents);

// The bytes of a file; empty when it cannot be read.
std::string readFile(const std::filesystem::path& file);

// The lines of a record file (the stand-in editor's) that start with `key`,
// the key removed.
std::vector<std::string> recorded(const std::filesystem::path& log, const std::string& key);

}  // namespace corrivex::e2e
