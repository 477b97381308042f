// Splitting a text into the lines that CR LF ends (the last one may lack
// its line end).
#pragma once

#include <string>
#include <vector>

namespace corrivex::testing {

inline std::vector<std::string> splitCrlf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", from)) {
        lines.push_back(bytes.substr(from, end - from));
        from = end + 2;
    }
    if (from < bytes.size()) lines.push_back(bytes.substr(from));
    return lines;
}

}  // namespace corrivex::testing
