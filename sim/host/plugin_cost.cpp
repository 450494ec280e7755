#include "host/plugin_cost.h"

#include "host/thread_cpu_clock.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

#ifdef _WIN32
#include <malloc.h>
#endif
#if defined(__has_include)
#if __has_include(<execinfo.h>)
#include <dlfcn.h>
#include <execinfo.h>
#define DROVIL_SIM_HAS_BACKTRACE 1
#endif
#endif
#include <cstdio>

namespace sim::plugin_cost {
namespace {

// Only the running script thread touches these while it runs: the host runs
// one thread at a time, so no locks are needed.
thread_local bool inPlugin = false;
thread_local bool inRecording = false;
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

// The traced allocations of the frame under way: fixed arrays, since taking a
// trace must not allocate.
constexpr int tracedPerFrame = 4;
constexpr int traceDepth = 28;
struct TracedAllocation {
    void* stack[traceDepth];
    int depth;
    std::size_t size;
};
TracedAllocation traced[tracedPerFrame];
int tracedCount = 0;
int tracing = -1; // not yet asked

bool tracingOn() {
    if (tracing < 0) {
        tracing = std::getenv("DROVIL_SIM_TRACE_ALLOCATIONS") != nullptr ? 1 : 0;
#ifdef DROVIL_SIM_HAS_BACKTRACE
        // The first trace loads the unwinder, which allocates: done once here.
        if (tracing) {
            void* warm[2];
            backtrace(warm, 2);
        }
#endif
    }
    return tracing == 1;
}

void traceAllocation(std::size_t size) {
    if (tracedCount >= tracedPerFrame || !tracingOn())
        return;
    TracedAllocation& entry = traced[tracedCount++];
    entry.size = size;
#ifdef DROVIL_SIM_HAS_BACKTRACE
    entry.depth = backtrace(entry.stack, traceDepth);
#else
    entry.depth = 0;
#endif
}

} // namespace

void reportTracedAllocations(std::uint64_t frame, const char* stage) {
    for (int i = 0; i < tracedCount; ++i) {
        std::fprintf(stderr, "allocation %d of frame %llu (%s), %zu bytes:", i + 1,
                     static_cast<unsigned long long>(frame), stage, traced[i].size);
        for (int level = 0; level < traced[i].depth; ++level) {
            void* at = traced[i].stack[level];
#ifdef DROVIL_SIM_HAS_BACKTRACE
            // As an offset in its file, which addr2line reads.
            Dl_info info;
            if (dladdr(at, &info) != 0 && info.dli_fbase != nullptr) {
                std::fprintf(stderr, " %#lx", static_cast<unsigned long>(static_cast<char*>(at) -
                                                                          static_cast<char*>(info.dli_fbase)));
                continue;
            }
#endif
            std::fprintf(stderr, " %p", at);
        }
        std::fprintf(stderr, "\n");
    }
}

void forgetTracedAllocations() { tracedCount = 0; }

RecordingScope::RecordingScope() : wasRecording_(inRecording) { inRecording = true; }
RecordingScope::~RecordingScope() { inRecording = wasRecording_; }

namespace {

// Every block starts with this header, just before the address handed out:
// its size, whose it is (the plug-in's code, the frame report's recording or
// anyone else's), and how far the block's
// own start lies before the address (more than the header for an aligned block).
// Every replaceable form of operator new below writes it and every form of
// operator delete reads it: a form left to the C++ runtime would hand out
// blocks without one (the nothrow new of std::stable_sort's buffer, say),
// and freeing them here would read before the block and free what malloc
// never gave out.
struct BlockHeader {
    std::uint64_t size;
    std::uint32_t offset;
    std::uint32_t owner;
};
enum Owner : std::uint32_t { others = 0, plugin = 1, recording = 2 };
static_assert(sizeof(BlockHeader) == 16, "the header keeps malloc's 16-byte alignment");

void* finishBlock(void* raw, std::size_t offset, std::size_t size) {
    char* memory = static_cast<char*>(raw) + offset;
    BlockHeader* header = reinterpret_cast<BlockHeader*>(memory) - 1;
    header->size = size;
    header->offset = static_cast<std::uint32_t>(offset);
    header->owner = inRecording ? recording : inPlugin ? plugin : others;
    if (header->owner != recording)
        allLiveBytes.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed);
    if (header->owner == plugin) {
        ++allocationCount;
        traceAllocation(size);
        liveBytes.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed);
    }
    return memory;
}

// The block's own start, noting a plug-in block as freed.
void* blockOf(void* memory) noexcept {
    const BlockHeader* header = static_cast<const BlockHeader*>(memory) - 1;
    if (header->owner != recording)
        allLiveBytes.fetch_sub(static_cast<std::int64_t>(header->size), std::memory_order_relaxed);
    if (header->owner == plugin)
        liveBytes.fetch_sub(static_cast<std::int64_t>(header->size), std::memory_order_relaxed);
    return static_cast<char*>(memory) - header->offset;
}

// One try at the C library, or null; a size whose header would wrap around
// is refused rather than handed a small block.
void* tryAllocate(std::size_t size) noexcept {
    if (size > std::numeric_limits<std::size_t>::max() - sizeof(BlockHeader) - 1)
        return nullptr;
    if (void* raw = std::malloc(sizeof(BlockHeader) + (size == 0 ? 1 : size)))
        return finishBlock(raw, sizeof(BlockHeader), size);
    return nullptr;
}

void* tryAllocateAligned(std::size_t size, std::size_t align) noexcept {
    // Room for the header before the address, keeping the alignment.
    const std::size_t offset = align < sizeof(BlockHeader) ? sizeof(BlockHeader) : align;
    constexpr std::size_t most = std::numeric_limits<std::size_t>::max();
    if (align > most / 4 || size > most - offset - 2 * align)
        return nullptr;
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
    return nullptr;
}

// What the standard's operator new does when memory runs out: call the new
// handler and try again, or throw when there is none (the handler itself may
// throw too).
template <typename Attempt>
void* untilAllocated(Attempt attempt) {
    for (;;) {
        if (void* memory = attempt())
            return memory;
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

void* allocate(std::size_t size) {
    return untilAllocated([size] { return tryAllocate(size); });
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    const std::size_t align = static_cast<std::size_t>(alignment);
    return untilAllocated([size, align] { return tryAllocateAligned(size, align); });
}

// The nothrow forms: the same, with a failure reported as null (a new handler
// gives up by throwing bad_alloc); nothing is thrown on the way.
template <typename Attempt>
void* untilAllocatedOrNull(Attempt attempt) noexcept {
    for (;;) {
        if (void* memory = attempt())
            return memory;
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            return nullptr;
        try {
            handler();
        } catch (...) {
            return nullptr;
        }
    }
}

void* allocateOrNull(std::size_t size) noexcept {
    return untilAllocatedOrNull([size] { return tryAllocate(size); });
}

void* allocateAlignedOrNull(std::size_t size, std::align_val_t alignment) noexcept {
    const std::size_t align = static_cast<std::size_t>(alignment);
    return untilAllocatedOrNull([size, align] { return tryAllocateAligned(size, align); });
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
// the plug-in are one process); only the plug-in's are counted. Every
// replaceable form is replaced, so that a block from any form of new may be
// freed by any form of delete the standard pairs with it: the plain, sized and
// nothrow delete free what the plain and nothrow new gave, the aligned ones
// what the aligned new gave, each for single objects and for arrays.
void* operator new(std::size_t size) { return sim::plugin_cost::allocate(size); }
void* operator new[](std::size_t size) { return sim::plugin_cost::allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return sim::plugin_cost::allocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return sim::plugin_cost::allocateOrNull(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return sim::plugin_cost::allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return sim::plugin_cost::allocateAligned(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return sim::plugin_cost::allocateAlignedOrNull(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return sim::plugin_cost::allocateAlignedOrNull(size, alignment);
}

void operator delete(void* memory) noexcept { sim::plugin_cost::freeBlock(memory); }
void operator delete[](void* memory) noexcept { sim::plugin_cost::freeBlock(memory); }
void operator delete(void* memory, std::size_t) noexcept { sim::plugin_cost::freeBlock(memory); }
void operator delete[](void* memory, std::size_t) noexcept { sim::plugin_cost::freeBlock(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { sim::plugin_cost::freeBlock(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { sim::plugin_cost::freeBlock(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { sim::plugin_cost::freeAligned(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { sim::plugin_cost::freeAligned(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    sim::plugin_cost::freeAligned(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    sim::plugin_cost::freeAligned(memory);
}
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    sim::plugin_cost::freeAligned(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    sim::plugin_cost::freeAligned(memory);
}
