#include "ct_pro/text_fit.h"

#include <algorithm>
#include <cstddef>
#include <span>

#include "platform/console_text.h"

namespace corrivex::ctpro {

namespace {

using platform::ConsoleChar;

int room0(int width) { return std::max(width, 0); }

// The bytes of chars[first, last) of `text`.
std::string_view bytesOf(std::string_view text, const std::vector<ConsoleChar>& chars, std::size_t first,
                         std::size_t last) {
    if (first >= last) return {};
    const std::size_t begin = chars[first].offset;
    const std::size_t end = last < chars.size() ? chars[last].offset : text.size();
    return text.substr(begin, end - begin);
}

// The most characters from the start that take at most `columns` columns.
std::size_t headCount(std::span<const ConsoleChar> chars, int columns) {
    std::size_t count = 0;
    for (int used = 0; count < chars.size() && used + chars[count].columns <= columns; ++count)
        used += chars[count].columns;
    return count;
}

// The most characters from the end that take at most `columns` columns.
std::size_t tailCount(const std::vector<ConsoleChar>& chars, int columns) {
    std::size_t count = 0;
    for (int used = 0; count < chars.size() && used + chars[chars.size() - 1 - count].columns <= columns; ++count)
        used += chars[chars.size() - 1 - count].columns;
    return count;
}

std::string head(std::string_view text, int columns) {
    const std::vector<ConsoleChar> chars = platform::consoleChars(text);
    return std::string(bytesOf(text, chars, 0, headCount(chars, columns)));
}

}  // namespace

int columnsOf(std::string_view text) { return platform::consoleColumns(text); }

std::string cutRight(std::string_view text, int width) {
    const int room = room0(width);
    if (columnsOf(text) <= room) return std::string(text);
    const int mark = static_cast<int>(kCutMark.size());
    if (room <= mark) return head(text, room);
    std::string cut = head(text, room - mark);
    cut += kCutMark;
    return cut;
}

std::string cutLeft(std::string_view text, int width) {
    const int room = room0(width);
    if (columnsOf(text) <= room) return std::string(text);
    const std::vector<ConsoleChar> chars = platform::consoleChars(text);
    const int mark = static_cast<int>(kCutMark.size());
    if (room <= mark) return std::string(bytesOf(text, chars, chars.size() - tailCount(chars, room), chars.size()));
    std::string cut(kCutMark);
    cut += bytesOf(text, chars, chars.size() - tailCount(chars, room - mark), chars.size());
    return cut;
}

std::vector<std::string> wrapText(std::string_view text, int width, int maxLines) {
    std::vector<std::string> lines;
    const int room = std::max(room0(width), 1);
    bool truncated = false;

    std::size_t start = 0;
    while (start <= text.size() && !truncated) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string paragraph;
        for (char c : text.substr(start, end - start))
            if (c != '\r') paragraph += c;

        // Break the paragraph into lines that fit.
        const std::vector<ConsoleChar> chars = platform::consoleChars(paragraph);
        const auto blank = [&](std::size_t i) { return chars[i].length == 1 && paragraph[chars[i].offset] == ' '; };
        std::size_t at = 0;
        do {
            if (static_cast<int>(lines.size()) == maxLines) {
                truncated = true;
                break;
            }
            const std::size_t fits = at + headCount(std::span(chars).subspan(at), room);
            if (fits == chars.size()) {
                lines.emplace_back(bytesOf(paragraph, chars, at, chars.size()));
                break;
            }
            // The last blank that fits, or the one right after the line.
            std::size_t cut = fits;
            while (cut > at && !blank(cut)) --cut;
            std::size_t next = cut + 1;
            if (cut == at) {
                cut = std::max(fits, at + 1);  // a word longer than the line: break inside it
                next = cut;
            }
            lines.emplace_back(bytesOf(paragraph, chars, at, cut));
            at = next;
            while (at < chars.size() && blank(at)) ++at;
        } while (at < chars.size());

        start = end + 1;
    }
    if (truncated && !lines.empty()) {
        std::string& last = lines.back();
        const int mark = static_cast<int>(kCutMark.size());
        if (columnsOf(last) + mark > room) last = head(last, room > mark ? room - mark : 0);
        while (!last.empty() && last.back() == ' ') last.pop_back();
        last += kCutMark;
        if (columnsOf(last) > room) last = head(last, room);
    }
    return lines;
}

unsigned char shownByte(unsigned char byte) { return byte < 0x20 || byte == 0x7F ? '?' : byte; }

std::u32string shownFolded(std::string_view text) {
    std::u32string folded;
    for (const ConsoleChar& c : platform::consoleChars(text)) folded += c.control ? U'?' : platform::foldedChar(c.ch);
    return folded;
}

}  // namespace corrivex::ctpro
