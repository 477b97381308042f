// Test support: running out of memory on request. While an OutOfMemory
// object lives, every allocation through operator new fails (std::bad_alloc,
// or nullptr for the nothrow forms). Link corrivex_out_of_memory, whose
// replacement of the global operator new does this, to use it.
//
// Nothing that allocates may run inside the scope but the code under test:
// take the results out, and check them after the scope has ended.
#pragma once

namespace corrivex::testing {

class OutOfMemory {
public:
    OutOfMemory();
    ~OutOfMemory();
    OutOfMemory(const OutOfMemory&) = delete;
    OutOfMemory& operator=(const OutOfMemory&) = delete;
};

}  // namespace corrivex::testing
