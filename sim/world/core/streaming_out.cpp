#include "world/core/streaming_out.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <cmath>
#include <vector>

namespace sim {
namespace {
// The game looks about every second.
constexpr std::uint64_t checkEveryFrames = 30;
} // namespace

bool isStreamOutFrame(const World& world) {
    return world.clock.frame % checkEveryFrames == 0 && world.entities.exists(world.player.pedId);
}

void streamOutReleased(World& world) {
    if (!isStreamOutFrame(world))
        return;
    const drovil::Vector3 player = world.playerPed().position;
    std::vector<int> gone;
    for (int id : world.scenePeds.released) {
        const EntityRecord* record = world.entities.find(id);
        if (!record || record->missionEntity || id == world.player.pedId ||
            flatDistance(record->position, player) <= streamOutDistance)
            continue;
        if (world.seats.seatOf(world.player.pedId) && world.seats.seatOf(world.player.pedId)->vehicle == id)
            continue; // the player's own mount or vehicle stays
        gone.push_back(id);
    }
    for (int id : gone)
        world.removeEntity(id);
    bool streamedOut = false;
    for (const auto& [handle, propset] : world.propsets.all())
        if (propset.fate == PropsetFate::Released && !propset.streamedOut &&
            flatDistance(propset.position, player) > streamOutDistance) {
            world.propsets.find(handle)->streamedOut = true;
            world.scenarioPoints.removePropsetPoints(handle);
            streamedOut = true;
        }
    if (streamedOut)
        world.propsets.wentAway();
    world.models.unloadUnused([&world](std::uint32_t model) {
        for (const auto& [id, record] : world.entities.all())
            if (record.model == model)
                return true;
        return false;
    });
}

} // namespace sim
