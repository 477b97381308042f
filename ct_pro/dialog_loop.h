// The life of a dialog on the console: it takes its region (saved, with the
// cursor and the input mode), is drawn, and handles input events until it
// has an answer; then the console gets back what the dialog took.
#pragma once

#include "canvas.h"
#include "dialog_input.h"
#include "platform/console_host.h"
#include "saved_region.h"

namespace corrivex::ctpro {

// `dialog` draws itself over `rect` (Canvas draw() const) and answers an
// event with an empty optional while it stays open (handle(DialogEvent)).
template <class Dialog>
auto runDialog(platform::ConsoleHost& host, platform::CellRect rect, Dialog& dialog) {
    const DialogScope scope(host, rect);
    CanvasPresenter presenter(host, {rect.left, rect.top});
    DialogInput input(host);
    for (;;) {
        presenter.present(dialog.draw());
        if (auto answer = dialog.handle(input.next())) return *answer;
    }
}

}  // namespace corrivex::ctpro
