#include "terminal/terminal_screen_escape.h"

#include <algorithm>

namespace corrivex::platform {

bool ScreenEscapeRelease::insideScreen(const char* term, const char* sty) {
    return term != nullptr && sty != nullptr && *sty != '\0' && std::string_view(term).starts_with("screen");
}

void ScreenEscapeRelease::answered() {
    asked_ = false;
    answers_ = true;
}

bool ScreenEscapeRelease::holdsEvents(std::int64_t nowMs) {
    if (asked_ && nowMs - askedAt_ >= kAnswerWaitMs) {
        asked_ = false;
        answers_ = false;
    }
    return asked_ && answers_;
}

std::string_view ScreenEscapeRelease::due(std::int64_t nowMs, bool active) {
    if (!on_ || !active || asked_ || nowMs - quietSince_ < kQuietMs) return {};
    asked_ = true;
    askedAt_ = nowMs;
    quietSince_ = nowMs;
    return kRequest;
}

int ScreenEscapeRelease::waitMs(std::int64_t nowMs, bool active) const {
    if (!on_ || !active) return -1;
    const std::int64_t until = asked_ ? askedAt_ + kAnswerWaitMs : quietSince_ + kQuietMs;
    return static_cast<int>(std::max<std::int64_t>(until - nowMs, 0));
}

}  // namespace corrivex::platform
