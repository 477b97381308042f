// Reading quelmark.log, the log that the test engines append to: one line
// per run, the engine's current directory, then each of its arguments, the
// fields separated by '|'. Line ends are LF or CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corrivex::testing {

struct EngineLogEntry {
    std::string directory;               // as the engine spelled it
    std::vector<std::string> arguments;  // in order
};

inline std::vector<EngineLogEntry> parseEngineLog(std::string_view log) {
    std::vector<EngineLogEntry> entries;
    std::size_t start = 0;
    while (start < log.size()) {
        std::size_t end = log.find('\n', start);
        if (end == std::string_view::npos) end = log.size();
        std::string_view line = log.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        EngineLogEntry entry;
        std::size_t field = line.find('|');
        entry.directory = line.substr(0, field);
        while (field != std::string_view::npos) {
            const std::size_t next = line.find('|', field + 1);
            entry.arguments.emplace_back(
                line.substr(field + 1, next == std::string_view::npos ? next : next - field - 1));
            field = next;
        }
        entries.push_back(std::move(entry));
        start = end + 1;
    }
    return entries;
}

}  // namespace corrivex::testing
