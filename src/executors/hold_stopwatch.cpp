#include "executors/hold_stopwatch.h"

#include "runtime/frame_reads.h"
#include "runtime/natives.h"

#include <map>

namespace drovil {
namespace {
std::map<Hash, int>& startTimes() {
    static auto* starts = new std::map<Hash, int>();
    return *starts;
}

int& startOf(Hash control) {
    auto [entry, added] = startTimes().try_emplace(control, 0);
    if (added)
        entry->second = gameTimerMs();
    return entry->second;
}
} // namespace

int holdStopwatchElapsedMs(Hash control) {
    const int start = startOf(control);
    return gameTimerMs() - start;
}

void restartHoldStopwatch(Hash control) {
    startOf(control) = gameTimerMs();
}

} // namespace drovil
