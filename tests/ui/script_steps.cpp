#include "ui/script_steps.h"

#include "runtime/startup_objects.h"

#include <utility>

namespace uitest {
namespace {

struct Steps {
    std::function<void()> once;
    std::function<void()> repeating;
    bool registered = false;
};

Steps& steps() {
    static auto* all = new Steps();
    return *all;
}

void runSteps() {
    Steps& all = steps();
    std::function<void()> work = std::move(all.once);
    all.once = nullptr;
    if (work)
        work();
    if (all.repeating)
        all.repeating();
}

void registerOnce() {
    if (!steps().registered) {
        drovil::addGuardedFrameStep(&runSteps);
        steps().registered = true;
    }
}

} // namespace

void onScriptThread(sim::Session& session, std::function<void()> work) {
    registerOnce();
    // Work that waits for the game spans several frames: run them until it ends.
    bool done = false;
    steps().once = [&done, work = std::move(work)] {
        struct MarkDone {
            bool& flag;
            ~MarkDone() { flag = true; }
        } mark{done};
        work();
    };
    session.runFrames(1);
    for (int frame = 0; !done && frame < 5000; ++frame)
        session.runFrames(1);
}

void everyFrame(std::function<void()> work) {
    registerOnce();
    steps().repeating = std::move(work);
}

} // namespace uitest
