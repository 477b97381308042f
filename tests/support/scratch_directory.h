// Test support: a fresh directory under the system's temporary directory,
// removed with everything in it at the end, and a scope in which a directory
// is the current one.
//
// Files are made with fopen relative to the current directory, so that their
// names pass to the platform byte for byte, as the listing gives them back.
#pragma once

#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace corrivex::testing {

class ScratchDirectory {
public:
    ScratchDirectory() {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path candidate = base / ("corrivex-test-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                path_ = std::filesystem::canonical(candidate);
                return;
            }
        }
        throw std::runtime_error("cannot make a scratch directory");
    }
    ~ScratchDirectory() {
        // Read-only leftovers of a test must not keep the tree from going.
        namespace fs = std::filesystem;
        std::error_code error;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
        for (auto it = fs::recursive_directory_iterator(path_, error); it != fs::recursive_directory_iterator();
             it.increment(error)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        }
        fs::remove_all(path_, error);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path as the platform's narrow calls spell it.
    std::string text() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

class CurrentDirectoryScope {
public:
    explicit CurrentDirectoryScope(const std::filesystem::path& directory)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(directory);
    }
    ~CurrentDirectoryScope() {
        std::error_code error;
        std::filesystem::current_path(previous_, error);
    }
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

private:
    std::filesystem::path previous_;
};

// Makes (or empties) the file `name` in the current directory and writes
// `bytes` to it; false when the platform refuses the name.
inline bool writeFile(const std::string& name, const std::string& bytes = std::string()) {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace corrivex::testing
