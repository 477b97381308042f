// The life of a dialog on the console: it is placed in the visible window,
// takes its region (saved, with the cursor and the input mode), is drawn,
// and handles input events until it has an answer; then the console gets
// back what the dialog took. The cursor, hidden, stays on what has the
// focus, so that screen readers and braille displays follow it. When the window changes size, the dialog gives
// its region back and is placed again. In a window too small for it, a
// one-line note asks for a larger one until the window has grown; Esc and
// the end of input still reach the dialog then.
#pragma once

#include <string_view>
#include <utility>

#include "ct_pro/canvas.h"
#include "ct_pro/dialog_input.h"
#include "ct_pro/dialog_style.h"
#include "ct_pro/saved_region.h"
#include "platform/console_host.h"

namespace corrivex::ctpro {

inline constexpr std::string_view kTooSmallNote = "Please make the window larger to see this dialog";

// What a dialog's run lets a watcher see each time it waits for input: the
// dialog as it stands, the presenter that has just shown it and whether it
// fits its window. The tests and the fuzzer check there what must always
// hold; the program watches nothing.
struct NoWatch {
    template <class Dialog>
    void operator()(const Dialog&, CanvasPresenter&, bool) const {}
};

// `dialog` places itself in a window (void place(CellRect), bool fits()
// const, CellRect rect() const), draws itself over its rect (Canvas draw()
// const), tells where its focus is (CellPos cursor() const, in buffer
// coordinates) and answers an event with an empty optional while it stays
// open (handle(DialogEvent)).
template <class Dialog, class Watch = NoWatch>
auto runDialog(platform::ConsoleHost& host, Dialog& dialog, Watch&& watch = {}) {
    for (;;) {
        const platform::CellRect window = visibleWindow(host);
        dialog.place(window);
        const bool fits = dialog.fits();
        const platform::CellRect rect =
            fits ? dialog.rect() : platform::CellRect{window.left, window.top, window.right, window.top};
        const DialogScope scope(host, rect);
        CanvasPresenter presenter(host, {rect.left, rect.top});
        DialogInput input(host);
        for (;;) {
            if (fits) {
                presenter.present(dialog.draw());
                host.setCursorPosition(dialog.cursor());
            } else {
                Canvas note(rect.width(), 1, platform::Cell{' ', kHintAttr});
                note.text(0, 0, kTooSmallNote, kHintAttr, note.width());
                presenter.present(note);
                host.setCursorPosition(rect.topLeft());
            }
            watch(std::as_const(dialog), presenter, fits);
            const DialogEvent event = input.next();
            if (event.kind == DialogEvent::Kind::Resized) break;
            const bool reaches = fits || event.kind == DialogEvent::Kind::Closed ||
                                 (event.kind == DialogEvent::Kind::Key && event.key == platform::vk::kEscape);
            if (!reaches) continue;
            if (auto answer = dialog.handle(event)) return *answer;
        }
    }
}

}  // namespace corrivex::ctpro
