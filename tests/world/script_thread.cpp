#include "world/script_thread.h"

#include "runtime/startup_objects.h"

#include <utility>

namespace test {
namespace {

std::function<void()>& pendingWork() {
    static auto* work = new std::function<void()>();
    return *work;
}

bool& workRan() {
    static bool ran = false;
    return ran;
}

void runPendingWork() {
    std::function<void()> work = std::move(pendingWork());
    pendingWork() = nullptr;
    workRan() = true;
    if (work)
        work();
}

} // namespace

void runOnScriptThread(sim::Session& session, std::function<void()> work) {
    static bool registered = false;
    if (!registered) {
        drovil::addGuardedFrameStep(&runPendingWork);
        registered = true;
    }
    pendingWork() = std::move(work);
    workRan() = false;
    // Normally the next frame; a frame still inside start-up runs no steps yet.
    session.runUntil([] { return workRan(); }, 30);
}

} // namespace test
