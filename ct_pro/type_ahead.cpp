#include "ct_pro/type_ahead.h"

#include <algorithm>

#include "platform/console_text.h"

namespace corrivex::ctpro {

TypeAhead::Search TypeAhead::type(char32_t ch, std::int64_t nowMs) {
    if (nowMs - lastMs_ > kPauseMs || nowMs < lastMs_) typed_.clear();
    lastMs_ = nowMs;
    typed_ += ch;
    const char32_t first = platform::foldedChar(typed_.front());
    if (std::all_of(typed_.begin(), typed_.end(), [first](char32_t c) { return platform::foldedChar(c) == first; }))
        return {platform::keyText(ch), false};
    // A character that the texts cannot hold begins no entry: the prefix is
    // then none, never the rest of what was typed.
    std::string prefix;
    for (const char32_t c : typed_) {
        const std::string text = platform::keyText(c);
        if (text.empty()) return {std::string(), true};
        prefix += text;
    }
    return {std::move(prefix), true};
}

}  // namespace corrivex::ctpro
