// The simulator's allocation counter replaces every form of the global
// operator new and delete. A block from any form of new is freed by every form
// of delete the standard pairs with it, with the counter on (the plug-in's own
// code runs) and off; under the sanitizers a block without the counter's
// header, or one too small for what was asked, is a heap fault.
#include "host/plugin_cost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <vector>

namespace {

namespace plugin_cost = sim::plugin_cost;

using Allocate = void* (*)(std::size_t);
using Free = void (*)(void*, std::size_t);

constexpr std::size_t wideAlignment = 64;
constexpr std::align_val_t wide{wideAlignment};

struct Form {
    const char* name;
    Allocate allocate;
};

struct Release {
    const char* name;
    Free free;
};

// The forms of new and delete the standard pairs, by family.
struct Family {
    const char* name;
    std::size_t alignment;
    std::vector<Form> news;
    std::vector<Release> deletes;
};

std::vector<Family> families() {
    return {
        {"single object",
         alignof(std::max_align_t),
         {{"new", [](std::size_t n) { return ::operator new(n); }},
          {"nothrow new", [](std::size_t n) { return ::operator new(n, std::nothrow); }}},
         {{"delete", [](void* p, std::size_t) { ::operator delete(p); }},
          {"sized delete", [](void* p, std::size_t n) { ::operator delete(p, n); }},
          {"nothrow delete", [](void* p, std::size_t) { ::operator delete(p, std::nothrow); }}}},
        {"array",
         alignof(std::max_align_t),
         {{"new[]", [](std::size_t n) { return ::operator new[](n); }},
          {"nothrow new[]", [](std::size_t n) { return ::operator new[](n, std::nothrow); }}},
         {{"delete[]", [](void* p, std::size_t) { ::operator delete[](p); }},
          {"sized delete[]", [](void* p, std::size_t n) { ::operator delete[](p, n); }},
          {"nothrow delete[]", [](void* p, std::size_t) { ::operator delete[](p, std::nothrow); }}}},
        {"aligned single object",
         wideAlignment,
         {{"aligned new", [](std::size_t n) { return ::operator new(n, wide); }},
          {"aligned nothrow new", [](std::size_t n) { return ::operator new(n, wide, std::nothrow); }}},
         {{"aligned delete", [](void* p, std::size_t) { ::operator delete(p, wide); }},
          {"sized aligned delete", [](void* p, std::size_t n) { ::operator delete(p, n, wide); }},
          {"aligned nothrow delete", [](void* p, std::size_t) { ::operator delete(p, wide, std::nothrow); }}}},
        {"aligned array",
         wideAlignment,
         {{"aligned new[]", [](std::size_t n) { return ::operator new[](n, wide); }},
          {"aligned nothrow new[]", [](std::size_t n) { return ::operator new[](n, wide, std::nothrow); }}},
         {{"aligned delete[]", [](void* p, std::size_t) { ::operator delete[](p, wide); }},
          {"sized aligned delete[]", [](void* p, std::size_t n) { ::operator delete[](p, n, wide); }},
          {"aligned nothrow delete[]", [](void* p, std::size_t) { ::operator delete[](p, wide, std::nothrow); }}}},
    };
}

struct Totals {
    std::uint64_t allocations = plugin_cost::allocations();
    std::int64_t plugin = plugin_cost::heapInUse();
    std::int64_t process = plugin_cost::processHeapInUse();
};

// What one block did to the totals: taken inside the counter on or off, then
// freed on the other side of it.
struct Course {
    std::uint64_t counted = 0;
    std::int64_t pluginHeld = 0, processHeld = 0;
    std::int64_t pluginLeft = 0, processLeft = 0;
    bool aligned = false;
};

Course allocateAndFree(const Form& form, const Release& release, std::size_t size, std::size_t alignment,
                       bool counterOn) {
    Course course;
    const Totals before;
    if (counterOn)
        plugin_cost::enterPlugin();
    void* block = form.allocate(size);
    if (counterOn)
        plugin_cost::leavePlugin();
    const Totals held;
    course.aligned = block && reinterpret_cast<std::uintptr_t>(block) % alignment == 0;
    // Every byte asked for is the caller's: the sanitizers see a short block.
    if (block && size > 0)
        std::memset(block, 0xA5, size);
    // Freed on the other side of the counter: a plug-in block is counted
    // freed wherever it is freed, and freeing counts nothing new.
    if (!counterOn)
        plugin_cost::enterPlugin();
    release.free(block, size);
    if (!counterOn)
        plugin_cost::leavePlugin();
    const Totals after;
    course.counted = after.allocations - before.allocations;
    course.pluginHeld = held.plugin - before.plugin;
    course.processHeld = held.process - before.process;
    course.pluginLeft = after.plugin - before.plugin;
    course.processLeft = after.process - before.process;
    return course;
}

} // namespace

TEST(PluginCost, EveryFormOfNewIsFreedByEveryDeleteItPairsWithCounterOnAndOff) {
    for (const Family& family : families())
        for (const Form& form : family.news)
            for (const Release& release : family.deletes)
                for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{24}, std::size_t{4099}})
                    for (const bool counterOn : {true, false}) {
                        SCOPED_TRACE(std::string(family.name) + ": " + form.name + " freed by " + release.name +
                                     ", " + std::to_string(size) + " bytes, counter " + (counterOn ? "on" : "off"));
                        const Course course = allocateAndFree(form, release, size, family.alignment, counterOn);
                        EXPECT_TRUE(course.aligned);
                        EXPECT_EQ(course.counted, counterOn ? 1u : 0u);
                        EXPECT_EQ(course.pluginHeld, counterOn ? static_cast<std::int64_t>(size) : 0);
                        EXPECT_EQ(course.processHeld, static_cast<std::int64_t>(size));
                        EXPECT_EQ(course.pluginLeft, 0);
                        EXPECT_EQ(course.processLeft, 0);
                    }
}

TEST(PluginCost, DeletingNullAndAskingTooMuchChangeNothing) {
    const std::vector<Family> forms = families();
    const Totals before;
    plugin_cost::enterPlugin();
    for (const Family& family : forms)
        for (const Release& release : family.deletes)
            release.free(nullptr, 0);
    // No block can hold this much with its header in front: the nothrow forms
    // say so with null before the C library is asked.
    constexpr std::size_t tooMuch = std::numeric_limits<std::size_t>::max();
    void* single = ::operator new(tooMuch, std::nothrow);
    void* array = ::operator new[](tooMuch, std::nothrow);
    void* aligned = ::operator new(tooMuch, wide, std::nothrow);
    void* alignedArray = ::operator new[](tooMuch, wide, std::nothrow);
    plugin_cost::leavePlugin();
    const Totals after;
    EXPECT_EQ(single, nullptr);
    EXPECT_EQ(array, nullptr);
    EXPECT_EQ(aligned, nullptr);
    EXPECT_EQ(alignedArray, nullptr);
    EXPECT_EQ(after.allocations, before.allocations);
    EXPECT_EQ(after.plugin, before.plugin);
    EXPECT_EQ(after.process, before.process);

    // The other forms throw bad_alloc, and hand out nothing either.
    bool threw = false, alignedThrew = false;
    try {
        static_cast<void>(::operator new(tooMuch));
    } catch (const std::bad_alloc&) {
        threw = true;
    }
    try {
        static_cast<void>(::operator new[](tooMuch, wide));
    } catch (const std::bad_alloc&) {
        alignedThrew = true;
    }
    EXPECT_TRUE(threw);
    EXPECT_TRUE(alignedThrew);
    EXPECT_EQ(plugin_cost::heapInUse(), before.plugin);
}

TEST(PluginCost, AStableSortsBufferIsCountedAndFreedLikeAnyBlock) {
    // std::stable_sort takes its buffer with the nothrow new and gives it
    // back with the sized delete.
    std::vector<int> values(1000);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<int>((i * 7919) % 1000);
    const Totals before;
    plugin_cost::enterPlugin();
    std::stable_sort(values.begin(), values.end());
    plugin_cost::leavePlugin();
    const Totals after;
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_EQ(after.allocations - before.allocations, 1u) << "the sort's buffer";
    EXPECT_EQ(after.plugin, before.plugin);
    EXPECT_EQ(after.process, before.process);
}
