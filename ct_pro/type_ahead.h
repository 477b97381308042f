// Type-ahead in a list, as in Windows list boxes and file managers:
// characters typed within about a second of each other make one prefix to
// look for; the same character typed again and again moves on to the next
// entry beginning with it.
#pragma once

#include <cstdint>
#include <string>

namespace corrivex::ctpro {

class TypeAhead {
public:
    // The longest pause between two characters of one prefix.
    static constexpr std::int64_t kPauseMs = 1000;

    struct Search {
        std::string prefix;  // what the entry looked for begins with, as typed
        // The focused entry itself may be the one (the prefix grew); else the
        // search starts after it.
        bool fromFocused = false;
    };

    // `ch` typed at `nowMs` (a steady clock in milliseconds): the search it
    // asks for.
    Search type(char32_t ch, std::int64_t nowMs);

    // Another key or a click: the next character starts a new prefix.
    void reset() { typed_.clear(); }

private:
    std::u32string typed_;
    std::int64_t lastMs_ = 0;
};

}  // namespace corrivex::ctpro
