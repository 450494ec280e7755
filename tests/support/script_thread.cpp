#include "support/script_thread.h"

#include "runtime/startup_objects.h"

#include <deque>
#include <utility>

namespace test {
namespace {

struct ScriptWork {
    std::deque<std::function<void()>> pending;
    std::function<void()> everyFrame;
    int running = 0; // handed over and not yet returned
    bool registered = false;
};

ScriptWork& work() {
    static auto* state = new ScriptWork();
    return *state;
}

void runStep() {
    ScriptWork& state = work();
    while (!state.pending.empty()) {
        std::function<void()> job = std::move(state.pending.front());
        state.pending.pop_front();
        // Counted as returned even when it throws into the frame's guard.
        struct Returned {
            ~Returned() { --work().running; }
        } returned;
        job();
    }
    if (state.everyFrame)
        state.everyFrame();
}

void registerOnce() {
    if (!work().registered) {
        drovil::addGuardedFrameStep(&runStep);
        work().registered = true;
    }
}

} // namespace

void startOnScriptThread(std::function<void()> job) {
    registerOnce();
    ++work().running;
    work().pending.push_back(std::move(job));
}

bool scriptWorkDone() {
    return work().running == 0;
}

bool finishScriptWork(sim::Session& session, int maxFrames) {
    return session.runUntil([] { return scriptWorkDone(); }, maxFrames);
}

bool runOnScriptThread(sim::Session& session, std::function<void()> job, int maxFrames) {
    startOnScriptThread(std::move(job));
    return finishScriptWork(session, maxFrames);
}

void runEveryFrame(std::function<void()> job) {
    registerOnce();
    work().everyFrame = std::move(job);
}

} // namespace test
