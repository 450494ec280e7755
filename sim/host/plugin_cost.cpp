#include "host/plugin_cost.h"

#include "host/thread_cpu_clock.h"

#include <atomic>
#include <cstdlib>
#include <new>

#ifdef _WIN32
#include <malloc.h>
#endif

namespace sim::plugin_cost {
namespace {

// Only the running script thread touches these while it runs: the host runs
// one thread at a time, so no locks are needed.
thread_local bool inPlugin = false;
std::uint64_t allocationCount = 0;
// Bytes the plug-in's code allocated and no one has freed yet. A block may be
// freed on another thread (the plug-in's file writer), hence atomic.
std::atomic<std::int64_t> liveBytes{0};
// The same for every allocation of the process (simulator, tests, plug-in).
std::atomic<std::int64_t> allLiveBytes{0};
std::uint64_t selfTime = 0;
bool timing = false;
// The script thread's own processor time when it entered the plug-in, and
// what one reading of that clock adds to a stretch between two readings.
std::uint64_t enteredAt = 0;
std::uint64_t readCost = 0;

} // namespace

void enterPlugin() {
    inPlugin = true;
    if (timing)
        enteredAt = threadCpuNanoseconds();
}

void leavePlugin() {
    if (!inPlugin)
        return;
    inPlugin = false;
    if (timing) {
        const std::uint64_t spent = threadCpuNanoseconds() - enteredAt;
        selfTime += spent > readCost ? spent - readCost : 0;
    }
}

std::uint64_t allocations() { return allocationCount; }
std::int64_t heapInUse() { return liveBytes.load(std::memory_order_relaxed); }
std::int64_t processHeapInUse() { return allLiveBytes.load(std::memory_order_relaxed); }
std::uint64_t selfNanoseconds() { return selfTime; }
void setTiming(bool on) {
    if (on)
        readCost = threadCpuReadCost();
    timing = on;
}

namespace {

// Every block starts with this header, just before the address handed out:
// its size, whether the plug-in's code asked for it, and how far the block's
// own start lies before the address (more than the header for an aligned block).
struct BlockHeader {
    std::uint64_t size;
    std::uint32_t offset;
    std::uint32_t fromPlugin;
};
static_assert(sizeof(BlockHeader) == 16, "the header keeps malloc's 16-byte alignment");

void* finishBlock(void* raw, std::size_t offset, std::size_t size) {
    char* memory = static_cast<char*>(raw) + offset;
    BlockHeader* header = reinterpret_cast<BlockHeader*>(memory) - 1;
    header->size = size;
    header->offset = static_cast<std::uint32_t>(offset);
    header->fromPlugin = inPlugin ? 1u : 0u;
    allLiveBytes.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed);
    if (inPlugin) {
        ++allocationCount;
        liveBytes.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed);
    }
    return memory;
}

// The block's own start, noting a plug-in block as freed.
void* blockOf(void* memory) noexcept {
    const BlockHeader* header = static_cast<const BlockHeader*>(memory) - 1;
    allLiveBytes.fetch_sub(static_cast<std::int64_t>(header->size), std::memory_order_relaxed);
    if (header->fromPlugin)
        liveBytes.fetch_sub(static_cast<std::int64_t>(header->size), std::memory_order_relaxed);
    return static_cast<char*>(memory) - header->offset;
}

void* allocate(std::size_t size) {
    if (void* raw = std::malloc(sizeof(BlockHeader) + (size == 0 ? 1 : size)))
        return finishBlock(raw, sizeof(BlockHeader), size);
    throw std::bad_alloc();
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    const std::size_t align = static_cast<std::size_t>(alignment);
    // Room for the header before the address, keeping the alignment.
    const std::size_t offset = align < sizeof(BlockHeader) ? sizeof(BlockHeader) : align;
    // aligned_alloc wants a size that is a multiple of the alignment.
    const std::size_t rounded = (offset + (size == 0 ? 1 : size) + align - 1) / align * align;
#ifdef _WIN32
    // The Windows C runtime has no aligned_alloc; its aligned blocks are freed
    // with _aligned_free (see freeAligned).
    if (void* raw = _aligned_malloc(rounded, align))
        return finishBlock(raw, offset, size);
#else
    if (void* raw = std::aligned_alloc(align, rounded))
        return finishBlock(raw, offset, size);
#endif
    throw std::bad_alloc();
}

} // namespace

void freeBlock(void* memory) noexcept {
    if (memory)
        std::free(blockOf(memory));
}

void freeAligned(void* memory) noexcept {
    if (!memory)
        return;
#ifdef _WIN32
    _aligned_free(blockOf(memory));
#else
    std::free(blockOf(memory));
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
void operator delete(void* memory) noexcept { sim::plugin_cost::freeBlock(memory); }
void operator delete[](void* memory) noexcept { sim::plugin_cost::freeBlock(memory); }
void operator delete(void* memory, std::size_t) noexcept { sim::plugin_cost::freeBlock(memory); }
void operator delete[](void* memory, std::size_t) noexcept { sim::plugin_cost::freeBlock(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { sim::plugin_cost::freeAligned(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { sim::plugin_cost::freeAligned(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    sim::plugin_cost::freeAligned(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    sim::plugin_cost::freeAligned(memory);
}
