#include "start_directory.h"

#include <array>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace corrivex::e2e {
namespace {

// Question and default answer of each of the fourteen settings.
constexpr std::array<std::array<const char*, 2>, 14> kEntries{{
    {"Activate the batch mode?", "n"},
    {"Display output files?", "n"},
    {"Display graph?", "n"},
    {"Create a BMP file for the graph?", "n"},
    {"Number of students (override file count) ?", "-1"},
    {"Number of questions (override file count)?", "-1"},
    {"Start at question:", "1"},
    {"Identify suspects by name?", "y"},
    {"Identify all students by name (must identify suspects)?", "n"},
    {"Produce Excel file (must identify all students)?", "n"},
    {"Enter pre-selected pairs?", "n"},
    {"Set Bonferroni bound:", ".1"},
    {"Use T optimization?", "n"},
    {"Specify path to course files (eg. c:\\courses\\)", "c:\\zelqa"},
}};

std::string settings(const char* batchAnswer, const char* coursePath) {
    std::string contents;
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        const char* answer = i == 0 ? batchAnswer : i + 1 == kEntries.size() ? coursePath : kEntries[i][1];
        contents += std::string(kEntries[i][0]) + "\r\n" + answer + "\r\n";
    }
    return contents;
}

}  // namespace

std::string defaultSettings() { return settings(kEntries.front()[1], kEntries.back()[1]); }

std::string settingsWith(const std::string& batchAnswer, const std::string& coursePath) {
    return settings(batchAnswer.c_str(), coursePath.c_str());
}

void writeFile(const std::filesystem::path& dir, const std::string& name, const std::string& contents) {
    std::ofstream out(dir / name, std::ios::binary);
    out << contents;
    if (!out) throw std::runtime_error("cannot write " + (dir / name).string());
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

std::vector<std::string> recorded(const std::filesystem::path& log, const std::string& key) {
    std::vector<std::string> values;
    std::ifstream in(log, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(key)) values.push_back(line.substr(key.size()));
    return values;
}

}  // namespace corrivex::e2e
