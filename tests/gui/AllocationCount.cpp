#include "tests/gui/AllocationCount.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> live{0};

void* allocate(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (block) ++live;
    return block;
}

void release(void* block) {
    if (!block) return;
    --live;
    std::free(block);
}

} // namespace

long liveAllocations() { return live; }

void* operator new(std::size_t size) {
    void* block = allocate(size);
    if (!block) throw std::bad_alloc();
    return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
