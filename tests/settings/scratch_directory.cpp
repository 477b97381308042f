#include "scratch_directory.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

namespace corrivex::settings::testing {

namespace fs = std::filesystem;

ScratchDirectory::ScratchDirectory() : previous_(fs::current_path()) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = fs::temp_directory_path() / ("corrivex-settings-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            path_ = fs::canonical(candidate);
            fs::current_path(path_);
            return;
        }
    }
    throw std::runtime_error("no scratch directory");
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
#ifndef _WIN32
    // Read-only leftovers of a test must not keep the tree from going.
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
#endif
    fs::remove_all(path_, ignored);
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::string crlfLines(std::initializer_list<std::string> lines) {
    std::string joined;
    for (const std::string& line : lines) joined += line + "\r\n";
    return joined;
}

std::string settingsWith(const std::string& answer, const std::string& coursePath) {
    std::string text = "Activate the batch mode?\r\n" + answer + "\r\n";
    for (int line = 3; line < 28; ++line) text += (line % 2 == 1 ? "Question " : "answer ") + std::to_string(line) + "\r\n";
    return text + coursePath + "\r\n";
}

bool isCurrent(const fs::path& directory) {
    std::error_code error;
    return fs::equivalent(fs::current_path(), directory, error);
}

bool canCreateIn(const fs::path& directory) {
    const fs::path probe = directory / "probe.tmp";
    {
        std::ofstream out(probe);
        if (!out) return false;
    }
    std::error_code ignored;
    fs::remove(probe, ignored);
    return true;
}

}  // namespace corrivex::settings::testing
