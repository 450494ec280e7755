// What peds perceive: foliage cover, crouching, sight ranges, the player's noise
// and the perception events of the living world.
#include "natives/families.h"

#include <cstring>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPerceptionNatives(NativeDispatch& dispatch, World& world) {
    // The game reports the foliage around the ped; any other attribute reads 0.
    dispatch.implement<n::ped::blackboardFloat>([&world](Ped ped, const char* attribute) {
        const EntityRecord* record = world.entities.find(ped.id);
        if (!record || !attribute || std::strcmp(attribute, "FoliageHeight") != 0)
            return 0.0f;
        return world.perception.foliageValueAt(record->position);
    });
    dispatch.implement<n::perception::isCrouching>(
        [&world](Ped ped) { return world.entities.exists(ped.id) && world.perception.isCrouching(ped.id); });
    dispatch.implement<n::perception::setSeeingRange>([&world](Ped ped, float range) {
        if (world.entities.exists(ped.id))
            world.perception.setSeeingRange(world, ped.id, range);
    });
    dispatch.implement<n::perception::playerNoise>(
        [&world](PlayerIndex) { return world.perception.playerNoise(world); });
    dispatch.implement<n::perception::newestEventType>([&world](Ped ped, int, int) {
        return static_cast<Hash>(world.perception.newestEvent(ped.id, world.clock.elapsedMs));
    });
    dispatch.implement<n::perception::eventSource>([&world](Ped ped, Hash type, int, int) {
        return Entity(world.perception.eventSource(ped.id, type, world.clock.elapsedMs));
    });
    dispatch.implement<n::perception::setEventTracker>([&world](Ped ped, const char* behaviourSet, int) {
        if (world.entities.exists(ped.id))
            world.tasks.of(ped.id).behaviourSet = behaviourSet ? behaviourSet : "";
    });
}

} // namespace sim
