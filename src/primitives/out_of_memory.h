// A text that cannot be made for want of memory is the empty text, and an
// operation that runs out of memory does nothing: the primitives run their
// work through these two, so that a failed allocation never leaves them.
#pragma once

#include <new>

#include "primitives/text.h"

namespace corrivex::memory {

template <class Make>
Text textOrEmpty(Make make) noexcept {
    try {
        return make();
    } catch (const std::bad_alloc&) {
        return Text();  // holds no memory: cannot fail
    }
}

template <class Work>
void orNothing(Work work) noexcept {
    try {
        work();
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace corrivex::memory
