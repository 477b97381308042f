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
    std::string prefix;
    for (const char32_t c : typed_) prefix += platform::keyText(c);
    return {std::move(prefix), true};
}

}  // namespace corrivex::ctpro
