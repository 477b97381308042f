#include "screen.h"

#include <array>
#include <cstdio>
#include <limits>

namespace corrivex::e2e {
namespace {

// The console palettes a 24-bit colour is matched against: the classic
// console colours and the current Windows default ("Campbell"), both in
// Windows colour number order.
constexpr std::array<std::array<int, 16>, 2> kPalettes{{
    {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00,
     0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF},
    {0x0C0C0C, 0x0037DA, 0x13A10E, 0x3A96DD, 0xC50F1F, 0x881798, 0xC19C00, 0xCCCCCC, 0x767676, 0x3B78FF, 0x16C60C,
     0x61D6D6, 0xE74856, 0xB4009E, 0xF9F1A5, 0xF2F2F2},
}};

int channel(int rgb, int shift) { return (rgb >> shift) & 0xFF; }

int nearestWindowsColour(int rgb) {
    int best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (const auto& palette : kPalettes) {
        for (int i = 0; i < 16; ++i) {
            long distance = 0;
            for (int shift : {16, 8, 0}) {
                const long d = channel(rgb, shift) - channel(palette[static_cast<std::size_t>(i)], shift);
                distance += d * d;
            }
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
    }
    return best;
}

// The RGB value of an xterm 256-colour index from 16 on.
int xtermRgb(int index) {
    if (index >= 232) {
        const int level = 8 + 10 * (index - 232);
        return (level << 16) | (level << 8) | level;
    }
    const int cube = index - 16;
    const auto level = [](int v) { return v == 0 ? 0 : 55 + 40 * v; };
    return (level(cube / 36) << 16) | (level((cube / 6) % 6) << 8) | level(cube % 6);
}

int windowsFromTerm(const TermColour& colour, int whenDefault) {
    switch (colour.kind) {
        case TermColour::Kind::Default: return whenDefault;
        case TermColour::Kind::Indexed:
            return colour.value < 16 ? windowsFromAnsi(colour.value) : nearestWindowsColour(xtermRgb(colour.value));
        case TermColour::Kind::Rgb: return nearestWindowsColour(colour.value);
    }
    return whenDefault;
}

int plainForeground(const ScreenCell& cell) {
    int fg = windowsFromTerm(cell.fg, 7);
    const bool basicIndex = cell.fg.kind == TermColour::Kind::Indexed && cell.fg.value < 8;
    if (cell.bold && basicIndex) fg |= 8;
    return fg;
}

int plainBackground(const ScreenCell& cell) { return windowsFromTerm(cell.bg, 0); }

const ScreenCell kBlank{};

// Reads one UTF-8 sequence from `s` at `i`; advances `i`.
std::string takeGlyph(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t length = 1;
    if (lead >= 0xF0) length = 4;
    else if (lead >= 0xE0) length = 3;
    else if (lead >= 0xC0) length = 2;
    std::size_t end = i + 1;
    while (end < s.size() && end < i + length && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) ++end;
    std::string glyph(s.substr(i, end - i));
    i = end;
    return glyph;
}

// A combining mark (U+0300 to U+036F) joins the glyph before it.
bool isCombining(const std::string& glyph) {
    if (glyph.size() != 2) return false;
    const auto a = static_cast<unsigned char>(glyph[0]);
    const auto b = static_cast<unsigned char>(glyph[1]);
    const int code = ((a & 0x1F) << 6) | (b & 0x3F);
    return code >= 0x300 && code <= 0x36F;
}

// SGR parameters: groups separated by ';', each made of sub-parameters
// separated by ':' (an empty one reads as 0).
using SgrParameters = std::vector<std::vector<int>>;

SgrParameters parameters(std::string_view text) {
    SgrParameters groups(1);
    int value = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
        } else if (c == ';' || c == ':') {
            groups.back().push_back(value);
            value = 0;
            if (c == ';') groups.emplace_back();
        }
    }
    groups.back().push_back(value);
    return groups;
}

int rgbOf(int r, int g, int b) { return ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF); }

// 38/48 with its colour: either in sub-parameters (38:5:n, 38:2:r:g:b,
// 38:2:space:r:g:b) or in the groups that follow (38;5;n, 38;2;r;g;b).
void extendedColour(TermColour& target, const SgrParameters& p, std::size_t& i) {
    const std::vector<int>& group = p[i];
    if (group.size() > 1) {
        if (group[1] == 5 && group.size() >= 3) target = {TermColour::Kind::Indexed, group[2]};
        else if (group[1] == 2 && group.size() >= 6)
            target = {TermColour::Kind::Rgb, rgbOf(group[3], group[4], group[5])};
        else if (group[1] == 2 && group.size() == 5)
            target = {TermColour::Kind::Rgb, rgbOf(group[2], group[3], group[4])};
        return;
    }
    auto next = [&](std::size_t k) { return i + k < p.size() ? p[i + k].front() : 0; };
    if (next(1) == 5 && i + 2 < p.size()) {
        target = {TermColour::Kind::Indexed, next(2)};
        i += 2;
    } else if (next(1) == 2 && i + 4 < p.size()) {
        target = {TermColour::Kind::Rgb, rgbOf(next(2), next(3), next(4))};
        i += 4;
    }
}

void applySgr(ScreenCell& pen, const SgrParameters& p) {
    for (std::size_t i = 0; i < p.size(); ++i) {
        const int code = p[i].front();
        if (code == 0) {
            pen = ScreenCell{};
        } else if (code == 1) pen.bold = true;
        else if (code == 2) pen.dim = true;
        else if (code == 3) pen.italic = true;
        else if (code == 4) pen.underline = true;
        else if (code == 5 || code == 6) pen.blink = true;
        else if (code == 7) pen.reverse = true;
        else if (code == 22) pen.bold = pen.dim = false;
        else if (code == 23) pen.italic = false;
        else if (code == 24) pen.underline = false;
        else if (code == 25) pen.blink = false;
        else if (code == 27) pen.reverse = false;
        else if (code >= 30 && code <= 37) pen.fg = {TermColour::Kind::Indexed, code - 30};
        else if (code == 38) extendedColour(pen.fg, p, i);
        else if (code == 39) pen.fg = {};
        else if (code >= 40 && code <= 47) pen.bg = {TermColour::Kind::Indexed, code - 40};
        else if (code == 48) extendedColour(pen.bg, p, i);
        else if (code == 49) pen.bg = {};
        else if (code >= 90 && code <= 97) pen.fg = {TermColour::Kind::Indexed, code - 90 + 8};
        else if (code >= 100 && code <= 107) pen.bg = {TermColour::Kind::Indexed, code - 100 + 8};
    }
}

// Skips the escape sequence at `i` (which holds ESC); returns the SGR
// parameters when it is one.
std::optional<SgrParameters> takeEscape(std::string_view s, std::size_t& i) {
    ++i;
    if (i >= s.size()) return std::nullopt;
    const char kind = s[i++];
    if (kind == '[') {
        const std::size_t start = i;
        while (i < s.size() && !(s[i] >= 0x40 && s[i] <= 0x7E)) ++i;
        if (i >= s.size()) return std::nullopt;
        const char final = s[i++];
        if (final == 'm') return parameters(s.substr(start, i - 1 - start));
        return std::nullopt;
    }
    if (kind == ']' || kind == 'P' || kind == '_' || kind == '^') {
        // A string ended by BEL or ST.
        while (i < s.size()) {
            if (s[i] == '\a') {
                ++i;
                break;
            }
            if (s[i] == '\033' && i + 1 < s.size() && s[i + 1] == '\\') {
                i += 2;
                break;
            }
            ++i;
        }
    }
    return std::nullopt;
}

}  // namespace

int ansiFromWindows(int windowsColour) {
    const int w = windowsColour & 0x0F;
    return ((w & 1) ? 4 : 0) | (w & 2) | ((w & 4) ? 1 : 0) | (w & 8);
}

int windowsFromAnsi(int ansiIndex) {
    const int a = ansiIndex & 0x0F;
    return ((a & 1) ? 4 : 0) | (a & 2) | ((a & 4) ? 1 : 0) | (a & 8);
}

int windowsForeground(const ScreenCell& cell) { return cell.reverse ? plainBackground(cell) : plainForeground(cell); }

int windowsBackground(const ScreenCell& cell) { return cell.reverse ? plainForeground(cell) : plainBackground(cell); }

int windowsAttribute(const ScreenCell& cell) { return windowsForeground(cell) + 16 * windowsBackground(cell); }

Screen::Screen(int columns, int rows)
    : columns_(columns), rows_(rows), cells_(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows)) {}

const ScreenCell& Screen::cell(int column, int row) const {
    if (column < 1 || row < 1 || column > columns_ || row > rows_) return kBlank;
    return cells_[static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(columns_) +
                  static_cast<std::size_t>(column - 1)];
}

ScreenCell& Screen::cell(int column, int row) {
    return const_cast<ScreenCell&>(static_cast<const Screen&>(*this).cell(column, row));
}

std::string Screen::rowText(int row) const { return textAt(1, row, columns_); }

std::string Screen::textAt(int column, int row, int length) const {
    std::string text;
    for (int c = column; c < column + length && c <= columns_; ++c) text += cell(c, row).glyph;
    return text;
}

std::string Screen::text() const {
    std::string all;
    for (int row = 1; row <= rows_; ++row) {
        std::string line = rowText(row);
        line.erase(line.find_last_not_of(' ') + 1);
        all += line;
        if (row < rows_) all += '\n';
    }
    return all;
}

std::optional<ScreenPos> Screen::find(std::string_view needle) const {
    if (needle.empty()) return std::nullopt;
    for (int row = 1; row <= rows_; ++row) {
        // Byte offset of each column in the row's text, to turn a match back into a column.
        std::string line;
        std::vector<std::size_t> offsets;
        for (int c = 1; c <= columns_; ++c) {
            offsets.push_back(line.size());
            line += cell(c, row).glyph;
        }
        const std::size_t at = line.find(needle);
        if (at == std::string::npos) continue;
        for (std::size_t c = 0; c < offsets.size(); ++c)
            if (offsets[c] == at) return ScreenPos{static_cast<int>(c) + 1, row};
    }
    return std::nullopt;
}

int Screen::count(const std::function<bool(const ScreenCell&)>& predicate) const {
    int n = 0;
    for (const ScreenCell& c : cells_)
        if (predicate(c)) ++n;
    return n;
}

bool Screen::allCellsHaveAttribute(int attr) const {
    return count([attr](const ScreenCell& c) { return windowsAttribute(c) != attr; }) == 0;
}

std::string Screen::describe() const {
    std::string out = "screen " + std::to_string(columns_) + "x" + std::to_string(rows_) + ":\n";
    for (int row = 1; row <= rows_; ++row) {
        char label[16];
        std::snprintf(label, sizeof label, "%2d |", row);
        out += label + rowText(row) + "|\n";
    }
    out += "Windows attributes (hex, '..' where equal to the cell before):\n";
    for (int row = 1; row <= rows_; ++row) {
        char label[16];
        std::snprintf(label, sizeof label, "%2d |", row);
        out += label;
        int previous = -1;
        for (int c = 1; c <= columns_; ++c) {
            const int attr = windowsAttribute(cell(c, row));
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X", attr);
            out += attr == previous ? std::string("..") : std::string(hex);
            previous = attr;
        }
        out += "|\n";
    }
    return out;
}

Screen parseCapture(std::string_view capture, int columns, int rows) {
    Screen screen(columns, rows);
    ScreenCell pen;
    int row = 1;
    int column = 1;
    std::size_t i = 0;
    while (i < capture.size() && row <= rows) {
        const char c = capture[i];
        if (c == '\n') {
            ++row;
            column = 1;
            ++i;
        } else if (c == '\033') {
            if (auto sgr = takeEscape(capture, i)) applySgr(pen, *sgr);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            if (c == '\x0e' || c == '\x0f') pen.lineDrawing = c == '\x0e';
            ++i;
        } else {
            std::string glyph = takeGlyph(capture, i);
            if (isCombining(glyph) && column > 1) {
                screen.cell(column - 1, row).glyph += glyph;
                continue;
            }
            if (column <= columns) {
                ScreenCell& target = screen.cell(column, row);
                target = pen;
                target.glyph = std::move(glyph);
            }
            ++column;
        }
    }
    return screen;
}

}  // namespace corrivex::e2e
