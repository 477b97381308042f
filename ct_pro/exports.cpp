// The ten entry points of the library. Each takes over the texts it is
// given (they are read into strings and freed at once), calls the library's
// own functions, handing the dialogs the console of the process
// (process_console/process_console.h), and returns texts as fresh strings
// made with SysAllocStringByteLen, which the caller frees.
//
// The caller knows nothing of C++: no exception leaves an entry point. Where
// memory runs out, the call frees what it was given and gives the result of
// a call that did nothing (0, or a null string).
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "console_tools/ct_pro.h"
#include "ct_pro/list_box.h"
#include "ct_pro/list_model.h"
#include "ct_pro/message_box.h"
#include "ct_pro/window_ops.h"
#include "platform/ole_text.h"
#include "process_console/process_console.h"

namespace {

using corrivex::platform::consoleHost;
using corrivex::platform::takeBstr;

constexpr std::size_t kListSlots = kCtProListSlots;

std::int32_t flag(bool value) { return value ? 1 : 0; }

// Runs the body of an entry point; an exception gives `neutral` instead.
template <typename Result, typename Body>
Result guarded(Result neutral, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        return neutral;
    }
}

// Strings handed to the library: each one not taken by the time the entry
// point ends, however it ends, is freed then. Taken and freed ones read null.
class HandedOver {
public:
    HandedOver(BSTR* first, std::size_t count) : first_(first), count_(first != nullptr ? count : 0) {}
    HandedOver(const HandedOver&) = delete;
    HandedOver& operator=(const HandedOver&) = delete;
    ~HandedOver() {
        for (std::size_t i = 0; i < count_; ++i) SysFreeString(std::exchange(first_[i], nullptr));
    }

    // The bytes of string `i`, which is freed.
    std::string take(std::size_t i) { return takeBstr(std::exchange(first_[i], nullptr)); }
    // The same up to the first zero byte: the one inside it, or the one
    // that every string made by SysAllocStringByteLen ends in.
    std::string takeUpToZero(std::size_t i) {
        const HandedOver one(first_ + i, 1);
        return first_[i] == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(first_[i]));
    }

private:
    BSTR* first_;
    std::size_t count_;
};

}  // namespace

using namespace corrivex::ctpro;
using corrivex::platform::toBstr;

CT_PRO_API std::int32_t CT_PRO_CALL InitConsoleTools(void* instance, std::int32_t, std::int32_t, std::int32_t,
                                                     std::int32_t*, std::int32_t) {
    return guarded(0, [&] { return flag(initWindowOps(instance)); });
}

CT_PRO_API std::int32_t CT_PRO_CALL ConsoleToolBar(std::int32_t mode, std::int32_t id) {
    return guarded(0, [&] { return flag(showToolBar(mode, id)); });
}

CT_PRO_API std::int32_t CT_PRO_CALL ConsoleMove(std::int32_t x, std::int32_t y) {
    return guarded(0, [&] { return flag(moveWindow(x, y)); });
}

CT_PRO_API std::int32_t CT_PRO_CALL ConsoleIcon(std::int32_t icon) {
    return guarded(0, [&] { return flag(setWindowIcon(icon)); });
}

CT_PRO_API BSTR CT_PRO_CALL ConsoleTitle(BSTR title) {
    HandedOver given(&title, 1);
    return guarded<BSTR>(nullptr, [&] { return toBstr(setWindowTitle(consoleHost(), given.take(0))); });
}

CT_PRO_API std::int32_t CT_PRO_CALL DeleteWindowMenuItem(std::int32_t command) {
    return guarded(0, [&] { return flag(deleteWindowMenuItem(command)); });
}

CT_PRO_API std::int32_t CT_PRO_CALL DefaultWindowMenu() {
    return guarded(0, [] { return flag(restoreWindowMenu()); });
}

CT_PRO_API std::int32_t CT_PRO_CALL ConsoleToTop() {
    return guarded(0, [] { return flag(bringWindowToTop()); });
}

CT_PRO_API std::int32_t CT_PRO_CALL ConsoleMessageBox(BSTR text, std::int32_t style, BSTR caption, std::int32_t icon,
                                                      std::int32_t) {
    HandedOver givenText(&text, 1);
    HandedOver givenCaption(&caption, 1);
    return guarded(0, [&] {
        MessageBoxRequest request;
        request.text = givenText.take(0);
        request.caption = givenCaption.take(0);
        request.style = static_cast<std::uint32_t>(style);
        request.icon = icon;
        return runMessageBox(consoleHost(), request);
    });
}

CT_PRO_API BSTR CT_PRO_CALL ConsoleListBox(std::int32_t, std::int32_t, std::int32_t, BSTR caption, BSTR hint,
                                           BSTR* list, std::int32_t, std::int32_t, std::int32_t) {
    HandedOver givenCaption(&caption, 1);
    HandedOver givenHint(&hint, 1);
    HandedOver givenList(list, kListSlots);
    return guarded<BSTR>(nullptr, [&] {
        ListBoxRequest request;
        request.caption = givenCaption.take(0);
        request.hint = givenHint.take(0);
        if (list != nullptr) {
            std::vector<std::string> slots;
            slots.reserve(kListSlots);
            // An entry is its text up to its first zero byte: the result
            // separates entries with zero bytes, one field per chosen entry.
            for (std::size_t i = 0; i < kListSlots; ++i) slots.push_back(givenList.takeUpToZero(i));
            request.entries = shownEntries(std::move(slots));
        }
        return toBstr(runListBox(consoleHost(), std::move(request)));
    });
}
