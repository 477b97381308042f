// The ten entry points of the library. Each takes over the texts it is
// given (they are read into strings and freed at once), calls the library's
// own functions, and returns texts as fresh strings made with
// SysAllocStringByteLen, which the caller frees.
#include <string>
#include <vector>

#include "console_tools/ct_pro.h"
#include "list_box.h"
#include "list_model.h"
#include "message_box.h"
#include "platform/console_host.h"
#include "platform/ole_text.h"
#include "window_ops.h"

namespace {

std::int32_t flag(bool value) { return value ? 1 : 0; }

}  // namespace

using namespace corrivex::ctpro;
using corrivex::platform::takeBstr;
using corrivex::platform::toBstr;

CT_PRO_API std::int32_t CT_PRO_CALL InitConsoleTools(void* instance, std::int32_t, std::int32_t, std::int32_t,
                                                     std::int32_t*, std::int32_t) {
    return flag(initWindowOps(instance));
}

CT_PRO_API std::int32_t CT_PRO_CALL ConsoleToolBar(std::int32_t mode, std::int32_t id) {
    return flag(showToolBar(mode, id));
}

CT_PRO_API std::int32_t CT_PRO_CALL ConsoleMove(std::int32_t x, std::int32_t y) { return flag(moveWindow(x, y)); }

CT_PRO_API std::int32_t CT_PRO_CALL ConsoleIcon(std::int32_t icon) { return flag(setWindowIcon(icon)); }

CT_PRO_API BSTR CT_PRO_CALL ConsoleTitle(BSTR title) { return toBstr(setWindowTitle(takeBstr(title))); }

CT_PRO_API std::int32_t CT_PRO_CALL DeleteWindowMenuItem(std::int32_t command) {
    return flag(deleteWindowMenuItem(command));
}

CT_PRO_API std::int32_t CT_PRO_CALL DefaultWindowMenu() { return flag(restoreWindowMenu()); }

CT_PRO_API std::int32_t CT_PRO_CALL ConsoleToTop() { return flag(bringWindowToTop()); }

CT_PRO_API std::int32_t CT_PRO_CALL ConsoleMessageBox(BSTR text, std::int32_t style, BSTR caption, std::int32_t icon,
                                                      std::int32_t) {
    MessageBoxRequest request;
    request.text = takeBstr(text);
    request.caption = takeBstr(caption);
    request.style = static_cast<std::uint32_t>(style);
    request.icon = icon;
    return runMessageBox(corrivex::platform::consoleHost(), request);
}

CT_PRO_API BSTR CT_PRO_CALL ConsoleListBox(std::int32_t, std::int32_t, std::int32_t, BSTR path, BSTR hint, BSTR* list,
                                           std::int32_t, std::int32_t, std::int32_t) {
    ListBoxRequest request;
    request.caption = takeBstr(path);
    request.hint = takeBstr(hint);
    if (list != nullptr) {
        std::vector<std::string> slots;
        slots.reserve(kCtProListSlots);
        for (int i = 0; i < kCtProListSlots; ++i) {
            slots.push_back(takeBstr(list[i]));
            list[i] = nullptr;
        }
        request.entries = shownEntries(std::move(slots));
    }
    return toBstr(runListBox(corrivex::platform::consoleHost(), std::move(request)));
}
