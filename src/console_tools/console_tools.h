// The front end's calls into CT_PRO.DLL, with its texts as Text values.
// Every text passed is a fresh BSTR that the library may keep; every text
// returned is taken over and freed here.
#pragma once

#include <cstdint>

#include "primitives/text.h"

namespace corrivex::tools {

void initConsoleTools(void* instance, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d);
void consoleToolBar(std::int32_t a, std::int32_t b);
void consoleMove(std::int32_t x, std::int32_t y);
void consoleIcon(std::int32_t icon);
// Sets the title; the text the library returns is freed unread.
void consoleTitle(const Text& title);
void deleteWindowMenuItem(std::int32_t command);
void defaultWindowMenu();
void consoleToTop();
std::int32_t consoleMessageBox(const Text& text, std::int32_t style, const Text& caption, std::int32_t icon,
                               std::int32_t flags);
// `list` is passed whole, all 1000 slots.
Text consoleListBox(std::int32_t a, std::int32_t b, std::int32_t c, const Text& path, const Text& hint,
                    const NameList& list, std::int32_t d, std::int32_t e, std::int32_t f);

// Window menu commands.
inline constexpr std::int32_t kScClose = 0xF060;
inline constexpr std::int32_t kScMinimize = 0xF020;
inline constexpr std::int32_t kScSize = 0xF000;
inline constexpr std::int32_t kScMaximize = 0xF030;
// Icons.
inline constexpr std::int32_t kIdiAsterisk = 32516;
inline constexpr std::int32_t kIdiQuestion = 32514;
// The icon that the selection window asks for. Windows has no system icon
// of this number, so the window keeps the icon it had.
inline constexpr std::int32_t kIdiInformation = 32519;
// Message box answer for Yes.
inline constexpr std::int32_t kIdYes = 6;

}  // namespace corrivex::tools
