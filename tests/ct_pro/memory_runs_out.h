// Memory that runs out on demand: while a MemoryRunsOut lives, every
// allocation through operator new in the program fails with std::bad_alloc.
// A program that uses it gets the operator new and delete of
// memory_runs_out.cpp in place of the standard ones.
#pragma once

namespace corrivex::ctpro::testing {

class MemoryRunsOut {
public:
    MemoryRunsOut();
    MemoryRunsOut(const MemoryRunsOut&) = delete;
    MemoryRunsOut& operator=(const MemoryRunsOut&) = delete;
    ~MemoryRunsOut();
};

}  // namespace corrivex::ctpro::testing
