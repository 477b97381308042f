#include "memory_runs_out.h"

#include <cstdlib>
#include <new>

namespace {

bool memoryIsOut = false;

}  // namespace

namespace corrivex::ctpro::testing {

MemoryRunsOut::MemoryRunsOut() { memoryIsOut = true; }

MemoryRunsOut::~MemoryRunsOut() { memoryIsOut = false; }

}  // namespace corrivex::ctpro::testing

void* operator new(std::size_t size) {
    if (memoryIsOut) throw std::bad_alloc();
    if (void* block = std::malloc(size != 0 ? size : 1)) return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
