#include "world/core/streaming_out.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <cmath>
#include <vector>

namespace sim {
namespace {
// The game looks about every second.
constexpr std::uint64_t checkEveryFrames = 30;

void removeBlipsOn(World& world, int entity) {
    std::vector<int> attached;
    for (const auto& [id, blip] : world.blips.all())
        if (blip.kind == BlipKind::Entity && blip.entity == entity)
            attached.push_back(id);
    for (int id : attached)
        world.blips.remove(id);
}
} // namespace

void streamOutReleased(World& world) {
    if (world.clock.frame % checkEveryFrames != 0 || !world.entities.exists(world.player.pedId))
        return;
    const drovil::Vector3 player = world.playerPed().position;
    for (int id : world.scenePeds.released) {
        const EntityRecord* record = world.entities.find(id);
        if (!record || record->missionEntity || id == world.player.pedId ||
            flatDistance(record->position, player) <= streamOutDistance)
            continue;
        if (world.seats.seatOf(world.player.pedId) && world.seats.seatOf(world.player.pedId)->vehicle == id)
            continue; // the player's own mount or vehicle stays
        removeBlipsOn(world, id);
        world.seats.forget(id);
        world.tasks.clear(id);
        world.pedGroups.remove(id);
        world.weapons.forget(id);
        world.entities.remove(id);
        world.objects.forget(id);
    }
    for (const auto& [handle, propset] : world.propsets.all())
        if (propset.fate == PropsetFate::Released && !propset.streamedOut &&
            flatDistance(propset.position, player) > streamOutDistance) {
            world.propsets.find(handle)->streamedOut = true;
            world.scenarioPoints.removePropsetPoints(handle);
        }
}

} // namespace sim
