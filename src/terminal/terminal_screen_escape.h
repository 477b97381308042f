// A lone Esc under GNU screen. While its window asks for mouse reports,
// screen keeps back an Esc that ends what the terminal sent, until more
// bytes come (it may begin a mouse report), however long that takes: the
// Esc key would wait for the next key, and then come with it as Alt and
// that key. So while the program waits for input there, it asks the
// terminal behind screen for its status (DSR, inside the string that
// screen passes on unchanged) once the input has been quiet for a while;
// the answer brings a kept Esc along, and the decoder takes the Esc just
// before the answer as the Esc key.
//
// Keys wait for an answer asked for, so that none reaches a child process
// or the shell after the end. A terminal that gives none within
// kAnswerWaitMs (one behind tmux inside screen) is asked on, but keys no
// longer wait for it until it answers again (after a detach and attach).
#pragma once

#include <cstdint>
#include <string_view>

namespace corrivex::platform {

class ScreenEscapeRelease {
public:
    static constexpr int kQuietMs = 200;
    static constexpr int kAnswerWaitMs = 500;
    // DSR wrapped in DCS, which screen writes to its terminal as it stands.
    static constexpr std::string_view kRequest = "\x1bP\x1b[5n\x1b\\";

    // Whether the program runs in a window of GNU screen: TERM names screen
    // and screen's session variable STY is set (tmux also uses TERM=screen).
    static bool insideScreen(const char* term, const char* sty);

    explicit ScreenEscapeRelease(bool on) : on_(on) {}

    // Input arrived at `nowMs` (milliseconds of a monotonic clock).
    void input(std::int64_t nowMs) { quietSince_ = nowMs; }
    // The decoder saw the terminal's answer.
    void answered();
    // Whether events wait for the answer asked for.
    bool holdsEvents(std::int64_t nowMs);
    // While the program waits with mouse reports on (`active`): the request
    // to send now, or nothing; and how long the wait may last before the
    // next call (-1: no limit).
    std::string_view due(std::int64_t nowMs, bool active);
    int waitMs(std::int64_t nowMs, bool active) const;

private:
    bool on_ = false;
    bool asked_ = false;   // a request has no answer yet
    bool answers_ = true;  // the terminal answered the last request
    std::int64_t askedAt_ = 0;
    std::int64_t quietSince_ = 0;  // the last input or request
};

}  // namespace corrivex::platform
