#include "behaviour/script_work.h"

#include "runtime/startup_objects.h"

#include <utility>

namespace behaviourtest {
namespace {

struct Work {
    std::function<void()> pending;
    std::function<void()> watch;
    bool done = true;
    bool registered = false;
};

Work& work() {
    static auto* state = new Work();
    return *state;
}

void runStep() {
    Work& state = work();
    if (state.pending) {
        std::function<void()> job = std::move(state.pending);
        state.pending = nullptr;
        job();
        state.done = true;
    }
    if (state.watch)
        state.watch();
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
    work().done = false;
    work().pending = std::move(job);
}

bool workDone() {
    return work().done;
}

bool finishWork(sim::Session& session, int maxFrames) {
    return session.runUntil([] { return workDone(); }, maxFrames);
}

void watchEveryFrame(std::function<void()> watch) {
    registerOnce();
    work().watch = std::move(watch);
}

void startTalking(sim::Session& session, int ped, const std::string& line) {
    sim::SpokenLine spoken;
    spoken.line = line;
    session.world().speech.say(ped, spoken, session.world().clock.frame + 1);
}

int addPedNearPlayer(sim::Session& session, float metresAhead, float metresAside) {
    sim::World& world = session.world();
    const sim::EntityRecord& player = world.playerPed();
    const drovil::Vector3 ahead = sim::forwardOf(player.heading);
    const drovil::Vector3 at(player.position.x + ahead.x * metresAhead + ahead.y * metresAside,
                             player.position.y + ahead.y * metresAhead - ahead.x * metresAside,
                             player.position.z);
    const float facing = player.heading + 180.0f;
    return world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_m_m_valtownfolk_01"), at, facing).id;
}

} // namespace behaviourtest
