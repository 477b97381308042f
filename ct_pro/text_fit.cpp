#include "text_fit.h"

#include <algorithm>

namespace corrivex::ctpro {

namespace {

std::size_t width0(int width) { return width > 0 ? static_cast<std::size_t>(width) : 0; }

}  // namespace

std::string cutRight(std::string_view text, int width) {
    const std::size_t room = width0(width);
    if (text.size() <= room) return std::string(text);
    if (room <= kCutMark.size()) return std::string(text.substr(0, room));
    std::string cut(text.substr(0, room - kCutMark.size()));
    cut += kCutMark;
    return cut;
}

std::string cutLeft(std::string_view text, int width) {
    const std::size_t room = width0(width);
    if (text.size() <= room) return std::string(text);
    if (room <= kCutMark.size()) return std::string(text.substr(text.size() - room));
    std::string cut(kCutMark);
    cut += text.substr(text.size() - (room - kCutMark.size()));
    return cut;
}

std::vector<std::string> wrapText(std::string_view text, int width, int maxLines) {
    std::vector<std::string> lines;
    const std::size_t room = std::max<std::size_t>(width0(width), 1);
    bool truncated = false;

    std::size_t start = 0;
    while (start <= text.size() && !truncated) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string paragraph;
        for (char c : text.substr(start, end - start))
            if (c != '\r') paragraph += c;

        // Break the paragraph into lines that fit.
        std::string_view rest = paragraph;
        do {
            if (static_cast<int>(lines.size()) == maxLines) {
                truncated = true;
                break;
            }
            if (rest.size() <= room) {
                lines.emplace_back(rest);
                rest = {};
                break;
            }
            std::size_t cut = rest.substr(0, room + 1).find_last_of(' ');
            std::size_t next = cut;
            if (cut == std::string_view::npos || cut == 0) {
                cut = room;  // a word longer than the line: break inside it
                next = room;
            } else {
                next = cut + 1;
            }
            lines.emplace_back(rest.substr(0, cut));
            rest.remove_prefix(next);
            while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
        } while (!rest.empty());

        start = end + 1;
    }
    if (truncated && !lines.empty()) {
        std::string& last = lines.back();
        if (last.size() + kCutMark.size() > room) last.resize(room > kCutMark.size() ? room - kCutMark.size() : 0);
        while (!last.empty() && last.back() == ' ') last.pop_back();
        last += kCutMark;
        if (last.size() > room) last.resize(room);
    }
    return lines;
}

unsigned char shownByte(unsigned char byte) { return byte < 0x20 || byte == 0x7F ? '?' : byte; }

unsigned char foldCase(unsigned char byte) {
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

}  // namespace corrivex::ctpro
