#include "runtime/startup_objects.h"

#include <vector>

namespace drovil {
namespace {
std::vector<FrameStep>& guardedSteps() {
    static auto* steps = new std::vector<FrameStep>();
    return *steps;
}
} // namespace

void createLongLivedObjects() {
    // In order: place registry, train station registry, map areas, quest
    // creator, contract viewer, contract menu, hostage system, payments service,
    // payment collection desk, contract card holder, contract engine.
}

void addGuardedFrameStep(FrameStep step) { guardedSteps().push_back(step); }

void runGuardedFrameSteps() {
    // In order: the running conversations, the help-text and toast flushes, the
    // contract engine's update.
    for (FrameStep step : guardedSteps())
        step();
}

} // namespace drovil
