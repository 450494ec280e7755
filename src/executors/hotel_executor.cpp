#include "executors/hotel_executor.h"

#include "behaviour/hostages.h"
#include "behaviour/script_task.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/host_api.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "world/map_areas.h"
#include "world/places.h"
#include "world/spawn.h"

#include <vector>

namespace drovil {
namespace {
// A room never holds more companions than this, whatever a mission file says.
constexpr int maxCompanions = 6;
} // namespace

HotelExecutor::HotelExecutor(MissionData* mission) : BaseContractExecutor(mission) {
    if (const MapArea* area = getArea())
        hotelPlace = area->nearestPlace(PlaceKind::HotelRoom, mission->coords);
    // Nobody staying at a hotel leaves tracks that eagle eye would show.
    eagleEyeAllowed = false;
}

void HotelExecutor::createMissionSet() {
    if (!hotelPlace) {
        // Without a room there is nowhere to put anyone; the base then fails
        // the contract for its missing target.
        executorLog("HotelExecutor: no hotel room in the mission's area, the scene is not built");
        return;
    }
    const Vector3 room = hotelPlace->getPosition();
    const Ped target = spawnPed(mission->targetModel, pointAround(room, 3.0f, false));
    addTarget(target);
    std::vector<Ped> hotelPeds{target};
    executorLog("target created. distance from origin coords: " + floatText(distanceBetween(room, positionOf(target))));

    const int companionsCount =
        mission->companionsCount < 0 ? 0 : (mission->companionsCount > maxCompanions ? maxCompanions
                                                                                      : mission->companionsCount);
    for (int companion = 0; companion < companionsCount; ++companion) {
        const Ped ped = spawnPed(mission->companionModel, pointAround(room, 3.0f, false));
        addCompanion(ped);
        hotelPeds.push_back(ped);
        scriptWait(20);
    }
    // Everyone settles in the room: the target by the room's own spot, the
    // others where they stand.
    for (Ped ped : hotelPeds) {
        const Vector3 point = ped == target ? room : positionOf(ped);
        natives::task::useNearestScenarioToCoordWarp(ped, point, 10.0f, 5000, 0, 0, 1, 0);
        scriptWait(5);
    }
    scriptWait(1000);
}

bool HotelExecutor::targetIsTaken() const {
    // Busy: on the way to the spot he was sent to, or there for its time.
    return entityDead(targetPed) ||
           pedFightingPlayer(targetPed) || pedHogtied(targetPed) || pedFleeing(targetPed) ||
           busyWithTask(targetPed, nearestScenarioTask()) ||
           isHostage(targetPed);
}

Vector3 HotelExecutor::roomCentre() const {
    const int interior = natives::interior::ofEntity(targetPed.entity());
    // Outside any interior the game has no room centre to give (it would send
    // the target to the map's origin): the hotel room stands in for it.
    if (interior == 0)
        return hotelPlace ? hotelPlace->getPosition() : positionOf(targetPed);
    return natives::interior::position(interior);
}

void HotelExecutor::onUpdate() {
    if (mission->status != MissionStatus::Engaged || !targetPed || targetIsTaken())
        return;
    const Vector3 spot = pointAround(roomCentre(), static_cast<float>(randomInt(3, 7)), false);
    natives::task::useNearestScenarioToCoord(targetPed, spot, 10.0f, randomInt(30000, 40000), 0, 0, 1, 0);
    for (Ped companion : companions)
        if (randomInt(0, 2) != 0)
            natives::task::useNearestScenarioToCoord(companion, pointAround(spot, 3.0f, false), 5.0f, -1, 0, 0, 1,
                                                     0);
}

} // namespace drovil
