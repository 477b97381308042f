// Shows the list box on the terminal as the front end does, over an
// 80 x 30 screen in black on bright white, with the names of a file (one a
// line, at most 1000) or, without a file, 1000 made-up names.
//
//   listbox_show [names.txt]
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "console_tools/ct_pro.h"
#include "process_console/process_console.h"

namespace {

std::vector<std::string> readNames(int argc, char** argv) {
    std::vector<std::string> names;
    if (argc > 1) {
        std::ifstream file(argv[1], std::ios::binary);
        std::string line;
        while (names.size() < kCtProListSlots && std::getline(file, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            names.push_back(line);
        }
        return names;
    }
    for (int i = 1; i <= kCtProListSlots; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "DATASET%04d", i);
        names.emplace_back(name);
    }
    return names;
}

BSTR bstr(const std::string& text) { return SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size())); }

// The selection screen: 80 x 30, every cell blank in black on bright white.
void prepareScreen(corrivex::platform::ConsoleHost& host) {
    using corrivex::platform::CellPos;
    corrivex::platform::ScreenBufferInfo info;
    host.screenBufferInfo(info);
    host.setBufferSize({std::max(80, info.size.x), std::max(30, info.size.y)});
    host.setWindow({0, 0, 79, 29});
    host.setBufferSize({80, 30});
    host.setTextAttribute(0xF0);
    host.fillCharacter(' ', 80 * 30, CellPos{0, 0});
    host.fillAttribute(0xF0, 80 * 30, CellPos{0, 0});
    host.setCursorPosition({0, 0});
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> names = readNames(argc, argv);
    prepareScreen(corrivex::platform::consoleHost());

    BSTR slots[kCtProListSlots] = {};
    for (std::size_t i = 0; i < names.size(); ++i) slots[i] = bstr(names[i]);
    BSTR result = ConsoleListBox(3, 0, 0, bstr("/srv/courses/statistics"), bstr(" <ctl> click for mult. selection"),
                                 slots, 0, 1, 0);
    SysFreeString(result);
    return 0;
}
