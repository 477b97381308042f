// Quelmark.exe, a stand-in for the statistics engine, for the demo and the
// tests. It does what the real engine is known to do with its input and
// nothing of the statistics:
//
//   - takes the data set from its command line (the arguments, joined by one
//     blank),
//   - reads batchs.ini in its current directory and shows the answers (the
//     even lines),
//   - looks for NAME.txt and NAME.dat (any letter case) in the course
//     directory named by line 28 of batchs.ini, or in the current directory
//     when that line is empty or names no directory, and shows their sizes,
//   - appends one line to quelmark.log in its current directory: that
//     directory and then each argument, separated by '|'.
//
// It never waits for input and always ends with exit code 0.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsFile = "batchs.ini";
constexpr const char* kLogFile = "quelmark.log";
constexpr std::size_t kSettingsLines = 28;
constexpr std::size_t kCourseLine = 28;

// The lines of a file; a line ends at CR LF, a lone CR or a lone LF.
std::vector<std::string> readLines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string trimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string foldCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string currentDirectory() {
    std::error_code error;
    const fs::path here = fs::current_path(error);
    if (error) return std::string();
    try {
        return here.string();
    } catch (const std::exception&) {
        return std::string();
    }
}

std::string lineAt(const std::vector<std::string>& lines, std::size_t number) {
    return number >= 1 && number <= lines.size() ? lines[number - 1] : std::string();
}

fs::path courseDirectory(const std::vector<std::string>& settings) {
    const std::string course = trimBlanks(lineAt(settings, kCourseLine));
    std::error_code error;
    if (!course.empty() && fs::is_directory(course, error)) return fs::path(course);
    return fs::path(".");
}

void showDataFiles(const std::string& dataSet, const fs::path& course) {
    std::cout << "Course directory: " << course.string() << '\n';
    const std::string wanted[] = {foldCase(dataSet + ".txt"), foldCase(dataSet + ".dat")};
    std::vector<std::pair<std::string, std::uintmax_t>> found;
    std::error_code error;
    for (fs::directory_iterator it(course, error), end; !error && it != end; it.increment(error)) {
        std::error_code kindError;
        if (!it->is_regular_file(kindError)) continue;
        std::string name;
        try {
            name = it->path().filename().string();
        } catch (const std::exception&) {
            continue;
        }
        if (std::find(std::begin(wanted), std::end(wanted), foldCase(name)) == std::end(wanted)) continue;
        std::error_code sizeError;
        const std::uintmax_t size = it->file_size(sizeError);
        found.emplace_back(name, sizeError ? 0 : size);
    }
    std::sort(found.begin(), found.end());
    if (found.empty()) std::cout << "  no data file for this data set\n";
    for (const auto& [name, size] : found) std::cout << "  " << name << "  " << size << " bytes\n";
}

void showAnswers(const std::vector<std::string>& settings) {
    std::cout << "Answers of " << kSettingsFile << ":";
    if (settings.empty()) {
        std::cout << " none (no " << kSettingsFile << " here)\n";
        return;
    }
    for (std::size_t answer = 2; answer <= kSettingsLines; answer += 2)
        std::cout << (answer > 2 ? " |" : "") << ' ' << lineAt(settings, answer);
    std::cout << '\n';
}

void appendToLog(const std::string& here, int argc, char** argv) {
    std::string line = here;
    for (int i = 1; i < argc; ++i) line += std::string("|") + argv[i];
    std::ofstream log(kLogFile, std::ios::app);
    log << line << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    std::string dataSet;
    for (int i = 1; i < argc; ++i) dataSet += (i > 1 ? " " : "") + std::string(argv[i]);
    const std::string here = currentDirectory();
    const std::vector<std::string> settings = readLines(kSettingsFile);

    std::cout << "Quelmark stand-in engine\n";
    std::cout << "Data set: " << (dataSet.empty() ? "(none given)" : dataSet) << '\n';
    std::cout << "Current directory: " << here << '\n';
    if (!dataSet.empty()) showDataFiles(dataSet, courseDirectory(settings));
    showAnswers(settings);
    std::cout << "(stand-in engine: no statistics are computed)\n" << std::endl;

    appendToLog(here, argc, argv);
    return 0;
}
