// A window menu with an entry of its own, as a console window's has: the
// entries taken out come back exactly, and the added one stays.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ct_pro/window_menu_win32.h"
#include "ct_pro/window_ops.h"

namespace corrivex::ctpro {
namespace {

TEST(WindowMenu, GetsBackExactlyTheEntriesTakenOut) {
    const HWND window =
        CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_NE(menu, nullptr);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 0xFFF8, "&Defaults");
    auto entries = [menu] {  // "id state text", in menu order
        std::vector<std::string> all;
        for (UINT i = 0; i < static_cast<UINT>(GetMenuItemCount(menu)); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            all.push_back(std::to_string(GetMenuItemID(menu, static_cast<int>(i))) + " " +
                          std::to_string(GetMenuState(menu, i, MF_BYPOSITION)) + " " + text);
        }
        return all;
    };
    const std::vector<std::string> before = entries();
    for (const UINT command : {SC_CLOSE, SC_MINIMIZE, SC_SIZE, SC_MAXIMIZE})
        EXPECT_TRUE(removeWindowMenuEntry(window, command)) << command;
    EXPECT_TRUE(restoreWindowMenuEntries(window));
    EXPECT_EQ(entries(), before);
    DestroyWindow(window);
}

// The library's operations work on the console window's menu; without one (Wine) both fail, other windows kept.
TEST(WindowMenu, TheLibraryRestoresTheConsoleWindowsMenu) {
    constexpr UINT kAbsent = static_cast<UINT>(-1);
    const HWND console = GetConsoleWindow();
    const HMENU menu = console != nullptr ? GetSystemMenu(console, FALSE) : nullptr;
    if (menu != nullptr) {
        ASSERT_TRUE(deleteWindowMenuItem(SC_MAXIMIZE));
        EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), kAbsent);
        EXPECT_TRUE(restoreWindowMenu());
        EXPECT_NE(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), kAbsent);
        return;
    }
    const HWND window =
        CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(removeWindowMenuEntry(window, SC_CLOSE));
    EXPECT_FALSE(deleteWindowMenuItem(SC_MAXIMIZE));
    EXPECT_FALSE(restoreWindowMenu());
    EXPECT_EQ(GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND), kAbsent);
    EXPECT_TRUE(restoreWindowMenuEntries(window));
    DestroyWindow(window);
}

}  // namespace
}  // namespace corrivex::ctpro
