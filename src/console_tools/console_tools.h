// The front end's calls into CT_PRO.DLL, with its texts as Text values.
// Every text passed is a fresh BSTR that the library may keep; every text
// returned is taken over and freed here. The numbers passed and answered
// are named in ct_pro_codes.h; arguments named `reserved…` are not read.
#pragma once

#include <cstdint>

#include "console_tools/ct_pro_codes.h"
#include "primitives/text.h"

namespace corrivex::tools {

void initConsoleTools(void* instance, std::int32_t reserved1, std::int32_t reserved2, std::int32_t reserved3,
                      std::int32_t reserved5);
void consoleToolBar(std::int32_t mode, std::int32_t id);
void consoleMove(std::int32_t x, std::int32_t y);
void consoleIcon(std::int32_t icon);
// Sets the title; the text the library returns is freed unread.
void consoleTitle(const Text& title);
void deleteWindowMenuItem(std::int32_t command);
void defaultWindowMenu();
void consoleToTop();
std::int32_t consoleMessageBox(const Text& text, std::int32_t style, const Text& caption, std::int32_t icon,
                               std::int32_t reserved);
// `list` is passed whole, all 1000 slots; `path` is shown as the caption.
Text consoleListBox(std::int32_t reserved1, std::int32_t reserved2, std::int32_t reserved3, const Text& path,
                    const Text& hint, const NameList& list, std::int32_t reserved4, std::int32_t reserved5,
                    std::int32_t reserved6);

// The icon that the selection window asks for. Windows has no system icon
// of this number, so the window keeps the icon it had.
inline constexpr std::int32_t kIdiInformation = 32519;

}  // namespace corrivex::tools
