// Every item of state that passes from one step of the run to the next.
#pragma once

#include <cstdint>

#include "primitives/text.h"

namespace corrivex {

struct RunState {
    Text StartDir;
    NameList FileNames{};
    std::int16_t FileNameCount = 0;
    NameList BaseNames{};
    std::int16_t BaseNameCount = 0;
    Text Selection;
    NameList ChosenNames{};
    std::int16_t ChosenCount = 0;
};

}  // namespace corrivex
