#include "settings_test_support.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace corrivex::settings::testing {

namespace fs = std::filesystem;

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
    for (int line = 3; line < 28; ++line)
        text += (line % 2 == 1 ? "Question " : "answer ") + std::to_string(line) + "\r\n";
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
