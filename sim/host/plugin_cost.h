#pragma once
// What the plug-in's own code costs while a script runs: the heap allocations
// it makes and the time it spends between two yields, both without the native
// calls it makes (their handlers are the simulated game's work, not the
// plug-in's). The script thread reports where it is; the figures are totals
// that whoever closes a frame reads before and after it.
//
// The allocations are counted by the simulator's replacement of the global
// operator new, which only counts on a script thread while the plug-in's own
// code runs (each block notes whether it was, so that its freeing is counted
// too, wherever it happens); the time is measured only while timing is on (drovil-sim --stats),
// since reading the clock around every native call costs time of its own. It is
// the script thread's own processor time, not the wall clock's, so time the
// machine gave to other work does not count; the clock's own reading cost is
// taken off each stretch.
#include <cstdint>

namespace sim::plugin_cost {

// The script thread enters the plug-in's code (resumed after a yield, back
// from a native call) and leaves it (yields, calls a native).
void enterPlugin();
void leavePlugin();

// Totals since the process started.
std::uint64_t allocations();
// Bytes the plug-in's own code has allocated and that are not freed yet (by
// whoever frees them): what the plug-in holds in memory.
std::int64_t heapInUse();
// The same for every allocation of the process through operator new (the
// simulator's, the tests', the plug-in's): what the program holds, without
// what the C library's allocator keeps of freed memory for later.
std::int64_t processHeapInUse();
std::uint64_t selfNanoseconds();

void setTiming(bool on);

// While one lives on a thread, the blocks allocated there belong to the frame
// report's recording (drovil-sim --stats: its figures frame by frame, the
// repeated calls it has seen) and count neither as the plug-in's nor in the
// process's heap in use, so that recording a long run does not show as the
// game's memory growing. Each block remembers it, so its freeing matches.
// A debugging aid for finding what allocates in a frame that should not:
// with DROVIL_SIM_TRACE_ALLOCATIONS set in the environment, the first few
// allocations of the plug-in's code in each frame keep their call stack
// (where the C library can take one), and reportTracedAllocations prints them
// to stderr (raw addresses: addr2line -f -C -e drovil-sim turns them into
// functions). forgetTracedAllocations starts the next frame's.
void reportTracedAllocations(std::uint64_t frame, const char* stage);
void forgetTracedAllocations();

class RecordingScope {
public:
    RecordingScope();
    ~RecordingScope();
    RecordingScope(const RecordingScope&) = delete;
    RecordingScope& operator=(const RecordingScope&) = delete;

private:
    bool wasRecording_;
};

} // namespace sim::plugin_cost
