#include "host/plugin_cost.h"

#include <chrono>
#include <cstdlib>
#include <new>

#ifdef _WIN32
#include <malloc.h>
#endif

namespace sim::plugin_cost {
namespace {

using Clock = std::chrono::steady_clock;

// Only the running script thread touches these while it runs: the host runs
// one thread at a time, so no locks are needed.
thread_local bool inPlugin = false;
std::uint64_t allocationCount = 0;
std::uint64_t selfTime = 0;
bool timing = false;
Clock::time_point enteredAt;

} // namespace

void enterPlugin() {
    inPlugin = true;
    if (timing)
        enteredAt = Clock::now();
}

void leavePlugin() {
    if (!inPlugin)
        return;
    inPlugin = false;
    if (timing)
        selfTime += static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - enteredAt).count());
}

std::uint64_t allocations() { return allocationCount; }
std::uint64_t selfNanoseconds() { return selfTime; }
void setTiming(bool on) { timing = on; }

namespace {

void* allocate(std::size_t size) {
    if (inPlugin)
        ++allocationCount;
    if (size == 0)
        size = 1;
    if (void* memory = std::malloc(size))
        return memory;
    throw std::bad_alloc();
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    if (inPlugin)
        ++allocationCount;
    const std::size_t align = static_cast<std::size_t>(alignment);
    // aligned_alloc wants a size that is a multiple of the alignment.
    const std::size_t rounded = (size + align - 1) / align * align;
#ifdef _WIN32
    // The Windows C runtime has no aligned_alloc; its aligned blocks are freed
    // with _aligned_free (see freeAligned).
    if (void* memory = _aligned_malloc(rounded == 0 ? align : rounded, align))
        return memory;
#else
    if (void* memory = std::aligned_alloc(align, rounded == 0 ? align : rounded))
        return memory;
#endif
    throw std::bad_alloc();
}

} // namespace

void freeAligned(void* memory) noexcept {
#ifdef _WIN32
    _aligned_free(memory);
#else
    std::free(memory);
#endif
}
} // namespace sim::plugin_cost

// The process's allocations all go through here (the simulator, the tests and
// the plug-in are one process); only the plug-in's are counted.
void* operator new(std::size_t size) { return sim::plugin_cost::allocate(size); }
void* operator new[](std::size_t size) { return sim::plugin_cost::allocate(size); }
void* operator new(std::size_t size, std::align_val_t alignment) {
    return sim::plugin_cost::allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return sim::plugin_cost::allocateAligned(size, alignment);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { sim::plugin_cost::freeAligned(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { sim::plugin_cost::freeAligned(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    sim::plugin_cost::freeAligned(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    sim::plugin_cost::freeAligned(memory);
}
