// The global operator new and delete of a test program, on malloc and free,
// with a switch that makes every allocation fail.
#include "out_of_memory.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> allocationsFail{false};

void* allocate(std::size_t size) noexcept {
    if (allocationsFail.load()) return nullptr;
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

namespace corrivex::testing {

OutOfMemory::OutOfMemory() { allocationsFail.store(true); }
OutOfMemory::~OutOfMemory() { allocationsFail.store(false); }

}  // namespace corrivex::testing

void* operator new(std::size_t size) {
    if (void* memory = allocate(size)) return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* memory = allocate(size)) return memory;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
