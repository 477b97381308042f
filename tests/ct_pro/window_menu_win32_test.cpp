// The window menu of a window of the test's own, holding a console window's
// additions beside the system's entries: the entries taken out come back
// exactly, the additions stay.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window_menu_win32.h"

namespace corrivex::ctpro {
namespace {

// Each entry as "id state text", in menu order.
std::vector<std::string> entries(HMENU menu) {
    std::vector<std::string> all;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        all.push_back(std::to_string(GetMenuItemID(menu, i)) + " " +
                      std::to_string(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION)) + " " + text);
    }
    return all;
}

TEST(WindowMenu, GetsBackExactlyTheEntriesTakenOut) {
    const HWND window =
        CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_NE(menu, nullptr);
    const HMENU edit = CreatePopupMenu();
    AppendMenuA(edit, MF_STRING, 0xFFF0, "Mar&k");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 0xFFF8, "&Defaults");
    const std::vector<std::string> before = entries(menu);

    for (const UINT command : {SC_CLOSE, SC_MINIMIZE, SC_SIZE, SC_MAXIMIZE})
        EXPECT_TRUE(removeWindowMenuEntry(window, command)) << command;
    EXPECT_FALSE(removeWindowMenuEntry(window, SC_CLOSE)) << "taken out already";
    EXPECT_EQ(entries(menu).size(), before.size() - 4);
    EXPECT_TRUE(restoreWindowMenuEntries(window));
    EXPECT_EQ(entries(menu), before);
    DestroyWindow(window);
}

}  // namespace
}  // namespace corrivex::ctpro
