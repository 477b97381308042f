#include "console_tools/console_tools.h"

#include <array>

#include "console_tools/ct_pro.h"
#include "platform/ole_text.h"

namespace corrivex::tools {

using platform::takeBstr;
using platform::toBstr;

// The library reads (and takes over) exactly this many slots of the list.
static_assert(kNameSlots == kCtProListSlots);

void initConsoleTools(void* instance, std::int32_t reserved1, std::int32_t reserved2, std::int32_t reserved3,
                      std::int32_t reserved5) {
    std::int32_t reserved4 = 0;
    InitConsoleTools(instance, reserved1, reserved2, reserved3, &reserved4, reserved5);
}

void consoleToolBar(std::int32_t mode, std::int32_t id) { ConsoleToolBar(mode, id); }

void consoleMove(std::int32_t x, std::int32_t y) { ConsoleMove(x, y); }

void consoleIcon(std::int32_t icon) { ConsoleIcon(icon); }

void consoleTitle(const Text& title) { takeBstr(ConsoleTitle(toBstr(title))); }

void deleteWindowMenuItem(std::int32_t command) { DeleteWindowMenuItem(command); }

void defaultWindowMenu() { DefaultWindowMenu(); }

void consoleToTop() { ConsoleToTop(); }

std::int32_t consoleMessageBox(const Text& text, std::int32_t style, const Text& caption, std::int32_t icon,
                               std::int32_t reserved) {
    return ConsoleMessageBox(toBstr(text), style, toBstr(caption), icon, reserved);
}

Text consoleListBox(std::int32_t reserved1, std::int32_t reserved2, std::int32_t reserved3, const Text& path,
                    const Text& hint, const NameList& list, std::int32_t reserved4, std::int32_t reserved5,
                    std::int32_t reserved6) {
    // The library may keep what it is given, so every slot is a fresh copy.
    std::array<BSTR, kCtProListSlots> slots{};
    for (std::size_t i = 0; i < list.size(); ++i) slots[i] = toBstr(list[i]);
    return takeBstr(ConsoleListBox(reserved1, reserved2, reserved3, toBstr(path), toBstr(hint), slots.data(), reserved4,
                                   reserved5, reserved6));
}

}  // namespace corrivex::tools
