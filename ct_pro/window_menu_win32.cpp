#include "ct_pro/window_menu_win32.h"

#include <string>
#include <vector>

namespace corrivex::ctpro {
namespace {

struct RemovedEntry {
    HWND window;
    UINT position;
    MENUITEMINFOW item;  // its dwTypeData points into text once put back
    std::wstring text;
};

// The entries taken out and not yet put back, in the order taken out. The
// library's one process-wide record: the window menu lives as long as the
// process's console.
std::vector<RemovedEntry>& removedEntries() {
    static std::vector<RemovedEntry> removed;
    return removed;
}

constexpr UINT kKept = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_BITMAP | MIIM_DATA;

int positionOf(HMENU menu, UINT command) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        if (GetMenuItemID(menu, i) == command) return i;
    return -1;
}

}  // namespace

bool removeWindowMenuEntry(HWND window, UINT command) {
    if (window == nullptr) return false;
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu == nullptr) return false;
    const int position = positionOf(menu, command);
    if (position < 0) return false;

    RemovedEntry entry{window, static_cast<UINT>(position), MENUITEMINFOW{}, std::wstring()};
    MENUITEMINFOW& item = entry.item;
    item.cbSize = sizeof item;
    item.fMask = kKept;
    // First the text's length, then the text.
    if (!GetMenuItemInfoW(menu, entry.position, TRUE, &item)) return false;
    entry.text.assign(item.cch + 1, L'\0');
    item.dwTypeData = entry.text.data();
    item.cch = static_cast<UINT>(entry.text.size());
    if (!GetMenuItemInfoW(menu, entry.position, TRUE, &item)) return false;
    entry.text.resize(item.cch);

    if (!DeleteMenu(menu, entry.position, MF_BYPOSITION)) return false;
    removedEntries().push_back(std::move(entry));
    DrawMenuBar(window);
    return true;
}

bool restoreWindowMenuEntries(HWND window) {
    if (window == nullptr) return false;
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu == nullptr) return false;
    std::vector<RemovedEntry>& removed = removedEntries();
    for (auto entry = removed.rbegin(); entry != removed.rend(); ++entry) {
        if (entry->window != window || positionOf(menu, entry->item.wID) >= 0) continue;
        entry->item.dwTypeData = entry->text.data();
        InsertMenuItemW(menu, entry->position, TRUE, &entry->item);
    }
    removed.clear();
    DrawMenuBar(window);
    return true;
}

}  // namespace corrivex::ctpro
