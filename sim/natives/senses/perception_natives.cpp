// What peds perceive: crouching, sight ranges, the player's noise and the
// perception events of the living world, which the game keeps for a ped once a
// script has set an event tracker on it.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
bool tracked(const World& world, int ped) {
    const PedActivity* activity = world.tasks.find(ped);
    return activity && !activity->eventTracker.empty();
}
} // namespace

void implementPerceptionNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::perception::isCrouching>(
        [&world](Ped ped) { return world.entities.exists(ped.id) && world.perception.isCrouching(ped.id); });
    dispatch.implement<n::perception::setSeeingRange>([&world](Ped ped, float range) {
        if (world.entities.exists(ped.id))
            world.perception.setSeeingRange(world, ped.id, range);
    });
    dispatch.implement<n::perception::playerNoise>(
        [&world](PlayerIndex) { return world.perception.playerNoise(world); });
    dispatch.implement<n::perception::newestEventType>([&world](Ped ped, int, int) {
        if (!tracked(world, ped.id))
            return Hash(0);
        return static_cast<Hash>(world.perception.newestEvent(ped.id, world.clock.elapsedMs));
    });
    dispatch.implement<n::perception::eventSource>([&world](Ped ped, Hash type, int, int) {
        if (!tracked(world, ped.id))
            return Entity();
        return Entity(world.perception.eventSource(ped.id, type, world.clock.elapsedMs));
    });
    dispatch.implement<n::perception::setEventTracker>([&world](Ped ped, const char* tracker, int) {
        if (world.entities.exists(ped.id))
            world.tasks.of(ped.id).eventTracker = tracker ? tracker : "";
    });
}

} // namespace sim
