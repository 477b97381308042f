// A minimal console tools library that keeps the run going: the message box
// answers No and the list box chooses nothing. Every text handed in is freed.
#include <cstdint>

#include "console_tools/ct_pro.h"

namespace {
constexpr std::int32_t kIdNo = 7;
}

CT_PRO_API std::int32_t CT_PRO_CALL InitConsoleTools(void*, std::int32_t, std::int32_t, std::int32_t, std::int32_t*,
                                                     std::int32_t) {
    return 0;
}
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleToolBar(std::int32_t, std::int32_t) { return 0; }
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleMove(std::int32_t, std::int32_t) { return 0; }
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleIcon(std::int32_t) { return 0; }
CT_PRO_API BSTR CT_PRO_CALL ConsoleTitle(BSTR title) {
    SysFreeString(title);
    return nullptr;
}
CT_PRO_API std::int32_t CT_PRO_CALL DeleteWindowMenuItem(std::int32_t) { return 0; }
CT_PRO_API std::int32_t CT_PRO_CALL DefaultWindowMenu() { return 0; }
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleToTop() { return 0; }
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleMessageBox(BSTR text, std::int32_t, BSTR caption, std::int32_t,
                                                      std::int32_t) {
    SysFreeString(text);
    SysFreeString(caption);
    return kIdNo;
}
CT_PRO_API BSTR CT_PRO_CALL ConsoleListBox(std::int32_t, std::int32_t, std::int32_t, BSTR path, BSTR hint, BSTR* list,
                                           std::int32_t, std::int32_t, std::int32_t) {
    SysFreeString(path);
    SysFreeString(hint);
    if (list != nullptr)
        for (int i = 0; i < kCtProListSlots; ++i) SysFreeString(list[i]);
    return nullptr;
}
