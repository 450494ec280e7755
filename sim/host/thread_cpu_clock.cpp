#include "host/thread_cpu_clock.h"

#include <algorithm>
#include <array>

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace sim {

#ifdef _WIN32

namespace {

// Processor cycles per nanosecond of the performance counter, measured over a
// few milliseconds of the thread's own running (the cycle counter only moves
// while the thread runs, so the stretch is spent spinning).
double cyclesPerNanosecond() {
    static const double rate = [] {
        LARGE_INTEGER frequency, start, now;
        QueryPerformanceFrequency(&frequency);
        ULONG64 cyclesStart = 0, cyclesNow = 0;
        QueryPerformanceCounter(&start);
        QueryThreadCycleTime(GetCurrentThread(), &cyclesStart);
        const LONGLONG spin = frequency.QuadPart / 50; // 20 ms
        do
            QueryPerformanceCounter(&now);
        while (now.QuadPart - start.QuadPart < spin);
        QueryThreadCycleTime(GetCurrentThread(), &cyclesNow);
        const double nanoseconds =
            static_cast<double>(now.QuadPart - start.QuadPart) * 1e9 / static_cast<double>(frequency.QuadPart);
        const double cycles = static_cast<double>(cyclesNow - cyclesStart);
        return cycles > 0.0 && nanoseconds > 0.0 ? cycles / nanoseconds : 1.0;
    }();
    return rate;
}

} // namespace

std::uint64_t threadCpuNanoseconds() {
    ULONG64 cycles = 0;
    QueryThreadCycleTime(GetCurrentThread(), &cycles);
    return static_cast<std::uint64_t>(static_cast<double>(cycles) / cyclesPerNanosecond());
}

#else

std::uint64_t threadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}

#endif

std::uint64_t threadCpuReadCost() {
    static const std::uint64_t cost = [] {
        std::array<std::uint64_t, 201> gaps{};
        for (std::uint64_t& gap : gaps) {
            const std::uint64_t first = threadCpuNanoseconds();
            gap = threadCpuNanoseconds() - first;
        }
        std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
        return gaps[gaps.size() / 2];
    }();
    return cost;
}

} // namespace sim
