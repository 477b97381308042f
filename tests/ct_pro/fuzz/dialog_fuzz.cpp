// libFuzzer target: a list box or a message box from the input, then its events (doc/design.md, Fuzzing).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ct_pro/dialog_loop.h"
#include "ct_pro/list_box_dialog.h"
#include "ct_pro/message_dialog.h"
#include "platform/screen_buffer.h"

namespace {

using namespace corrivex::platform;
using namespace corrivex::ctpro;

void require(bool holds) {
    if (!holds) std::abort();
}

// clang-format off
constexpr char32_t kAlphabets[] = {U'a', U'Z', U'7', U'é', U'Ü', U'ß', U'т', U'Ж', U'ι', U'ł', U'ğ', U'日', U'ス',
                                   U'한', U'😀', U'\u0301', U'\u200B', 3, 8, 9, 13, 27, 127};
constexpr std::uint16_t kKeys[] = {vk::kUp, vk::kDown, vk::kPrior, vk::kNext, vk::kHome, vk::kEnd, vk::kTab,
                                   vk::kReturn, vk::kEscape, vk::kSpace, vk::kBack, vk::kLeft, vk::kRight, vk::kF1,
                                   vk::kShift, vk::kMenu, 'A', 'C', 'X', 0};
constexpr std::uint32_t kMouseFlags[] = {0, 0, mouse::kMoved, mouse::kDoubleClick, mouse::kWheeled};
// clang-format on

// Input from the fuzzer's bytes. Blocks written lie in the window or the one before the last resize; the
// cursor lies in the window.
class FuzzConsole : public ScreenBuffer {
public:
    FuzzConsole(FuzzedDataProvider& in, CellPos size) : ScreenBuffer(size), in_(in), before_(bounds()) {
        setWindow(bounds());
    }
    bool readInput(InputEvent& event) override {
        require(window().contains(cursor()));
        closed = in_.remaining_bytes() == 0 || ++events_ > 3000;
        if (!closed) last = event = next();
        return !closed;
    }
    void writeCells(CellPos at, int width, int height, const Cell* cells) override {
        const CellRect block = CellRect::sized(at, width, height);
        require(block.empty() || window().intersection(block) == block || before_.intersection(block) == block);
        if (!block.empty()) written += static_cast<std::size_t>(width) * height;
        ScreenBuffer::writeCells(at, width, height, cells);
    }

    std::size_t written = 0;  // cells, since the start
    bool closed = false;      // input has ended
    InputEvent last;          // the last event read
private:
    InputEvent next() {
        InputEvent event;
        if (const int kind = in_.ConsumeIntegralInRange(0, 15); kind < 9) {
            event.kind = InputEvent::Kind::Key;
            event.key.down = in_.ConsumeIntegralInRange(0, 7) != 0;
            event.key.repeat = in_.ConsumeIntegralInRange<std::uint16_t>(0, kind == 0 ? 65535 : 3);
            event.key.virtualKey =
                in_.ConsumeBool() ? in_.PickValueInArray(kKeys) : in_.ConsumeIntegral<std::uint16_t>();
            if (in_.ConsumeBool())
                event.key.ch = in_.ConsumeBool() ? in_.PickValueInArray(kAlphabets)
                                                 : in_.ConsumeIntegralInRange<char32_t>(0, 0x10FFFF);
            event.key.modifiers = in_.ConsumeIntegralInRange<std::uint32_t>(0, 0x1FF);
        } else if (kind < 15) {
            event.kind = InputEvent::Kind::Mouse;
            MouseInput& mouse = event.mouse;
            mouse.pos = {in_.ConsumeIntegralInRange(-2, size().x + 1), in_.ConsumeIntegralInRange(-2, size().y + 1)};
            mouse.buttons = in_.ConsumeIntegralInRange<std::uint32_t>(0, 7);
            mouse.modifiers = in_.ConsumeIntegralInRange<std::uint32_t>(0, 0x1FF);
            mouse.flags = in_.PickValueInArray(kMouseFlags);
            if (mouse.flags == mouse::kWheeled) mouse.wheelDelta = in_.ConsumeIntegralInRange(-3, 3) * 120;
        } else {
            event.kind = InputEvent::Kind::Resize;
            event.newSize = {in_.ConsumeIntegralInRange(1, 300), in_.ConsumeIntegralInRange(1, 100)};
            before_ = window();
            setWindow({0, 0, 0, 0});
            setBufferSize(event.newSize);
            setWindow(bounds());
        }
        return event;
    }
    FuzzedDataProvider& in_;
    CellRect before_;
    int events_ = 0;
};

// Drawing the state just shown once more writes nothing.
void drawsNothingTwice(const FuzzConsole& console, const auto& dialog, CanvasPresenter& presenter, bool fits) {
    const std::size_t before = console.written;
    if (fits) presenter.present(dialog.draw());
    require(console.written == before);
}

void listBox(FuzzedDataProvider& in, FuzzConsole& console) {
    ListBoxRequest request{in.ConsumeRandomLengthString(400), in.ConsumeRandomLengthString(200), {}};
    std::vector<std::string> slots(1000);
    const int count = in.PickValueInArray({0, 1, 1, 2, 7, 40, 1000});
    for (int i = 0; i < count; ++i)
        slots[i] = i < 40 ? in.ConsumeRandomLengthString(300) : "NAME " + std::to_string(i % 700);
    for (std::string& slot : slots) slot = slot.c_str();  // to its first zero byte, as ConsoleListBox takes it
    const std::vector<std::string>& entries = request.entries = shownEntries(slots);
    ListBox box(request);
    bool onCancel = false;
    const std::string result =
        runDialog(console, box, [&](const ListBox& shown, CanvasPresenter& presenter, bool fits) {
            const ListModel& list = shown.model();
            require(list.count() == 0 ? list.focus() == -1 : list.focus() >= 0 && list.focus() < list.count());
            require(list.top() >= 0 && list.top() <= std::max(list.count() - shown.layout().listRows, 0));
            onCancel = fits && shown.layout().cancelButton.contains(console.cursor());
            drawsNothingTwice(console, shown, presenter, fits);
        });

    // The chosen entries in list order, one zero byte between two.
    for (std::size_t at = 0, end = 0, next = 0; at <= result.size() && !result.empty(); at = end + 1) {
        end = std::min(result.find('\0', at), result.size());
        require(end > at);
        while (next < entries.size() && entries[next] != result.substr(at, end - at)) ++next;
        require(next++ < entries.size());
    }
    // Esc, Ctrl+C, Cancel and the end of input choose nothing.
    const InputEvent& last = console.last;
    const bool key = last.kind == InputEvent::Kind::Key;
    require(result.empty() ||
            !(console.closed || (key && (last.key.virtualKey == vk::kEscape || last.key.ch == 3)) ||
              (key && onCancel && (last.key.virtualKey == vk::kReturn || last.key.virtualKey == vk::kSpace)) ||
              (last.kind == InputEvent::Kind::Mouse && box.layout().cancelButton.contains(last.mouse.pos))));
}

void messageBox(FuzzedDataProvider& in, FuzzConsole& console) {
    MessageBoxRequest request;
    request.style = in.ConsumeIntegral<std::uint32_t>();
    request.icon = in.ConsumeIntegral<std::int32_t>();
    request.caption = in.ConsumeRandomLengthString(300);
    request.text = in.ConsumeRandomLengthString(3000);
    MessageDialog box(request);
    const int answer = runDialog(console, box, [&](const MessageDialog& shown, CanvasPresenter& presenter, bool fits) {
        require(shown.focus() >= 0 && shown.focus() < shown.buttonCount());
        drawsNothingTwice(console, shown, presenter, fits);
    });
    require(answer >= kIdOk && answer <= kIdNo);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool list = in.ConsumeBool();
    FuzzConsole console(in, {in.ConsumeIntegralInRange(1, 300), in.ConsumeIntegralInRange(1, 100)});
    list ? listBox(in, console) : messageBox(in, console);
    return 0;
}
