#pragma once
// A simulated world on its own, stepped frame by frame as the host steps it,
// for tests of the world's own behaviour (no plug-in, no script thread).
#include "world/core/world.h"

#include <functional>

namespace simtest {

// One frame: `beforeStep` moves things as the scripted player or a test would,
// then the clock advances and the world takes its step.
inline void stepFrame(sim::World& world, const std::function<void()>& beforeStep = {}) {
    if (beforeStep)
        beforeStep();
    world.clock.advance();
    world.beginFrame();
}

inline void stepFrames(sim::World& world, int frames) {
    for (int i = 0; i < frames; ++i)
        stepFrame(world);
}

// Far from any town, road or station.
inline const drovil::Vector3 openCountry(-1200.0f, 1500.0f, 200.0f);

// An outlaw a script made (a mission entity): he carries a revolver and a
// repeater and does not run from a fight.
inline int addPed(sim::World& world, const drovil::Vector3& at, float heading = 0.0f) {
    sim::EntityRecord& ped =
        world.entities.create(sim::EntityKind::Ped, sim::gameHash("g_m_m_unicriminals_01"), at, heading);
    ped.missionEntity = true;
    return ped.id;
}

// One of the game's own townsmen (no script holds him): a civilian, who runs
// from danger.
inline int addTownsman(sim::World& world, const drovil::Vector3& at, float heading = 0.0f) {
    return world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_m_m_rancher_01"), at, heading).id;
}

inline drovil::Vector3 shifted(const drovil::Vector3& from, float dx, float dy) {
    return drovil::Vector3(from.x + dx, from.y + dy, from.z);
}

} // namespace simtest
