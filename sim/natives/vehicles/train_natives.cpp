// Trains: configurations and their car models, mission trains created on the
// track and set down at a point, stopping for stations, their carriages;
// peds boarding a car and warped onto a train seat; a coach's robbery loot.
#include "natives/families.h"
#include "world/core/geometry.h"
#include "world/vehicles/trains.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementTrainNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::train::configCarCount>(
        [](Hash config) { return static_cast<int>(Trains::configCars(config).size()); });
    dispatch.implement<n::train::configCarModel>([](Hash config, int index) {
        const std::vector<std::uint32_t>& cars = Trains::configCars(config);
        return index >= 0 && static_cast<std::size_t>(index) < cars.size() ? cars[static_cast<std::size_t>(index)]
                                                                           : Hash(0);
    });
    dispatch.implement<n::train::createMissionTrain>(
        [&world](Hash config, Vector3 position, bool direction, bool, bool, bool) {
            return Vehicle(world.trains.create(world, config, position, direction));
        });
    dispatch.implement<n::train::setMissionTrainCoords>(
        [&world](Vehicle train, Vector3 position) { world.trains.setCoords(world, train.id, position); });
    dispatch.implement<n::train::setStopsForStations>([&world](Vehicle train, bool stops) {
        if (TrainRecord* record = world.trains.find(train.id))
            record->stopsForStations = stops;
    });
    // The train, engine and cars, is the game's again: it runs on and is taken
    // away once the player is far from it.
    dispatch.implement<n::train::setMissionTrainNoLongerNeeded>([&world](Vehicle* train, int) {
        if (!train)
            return;
        if (const TrainRecord* record = world.trains.find(train->id))
            for (int car : record->cars)
                if (EntityRecord* entity = world.entities.find(car))
                    entity->missionEntity = false;
        train->id = 0;
    });
    dispatch.implement<n::train::isWaitingAtStation>(
        [&world](Vehicle train) { return world.trains.isWaitingAtStation(train.id); });
    dispatch.implement<n::train::carriage>(
        [&world](Vehicle train, int index) { return Vehicle(world.trains.carriage(train.id, index)); });
    // Walks up to the car and takes a free passenger seat in it; the player is
    // not told what to do.
    dispatch.implement<n::train::boardVehicle>([&world](Ped ped, Vehicle car, int, float speed, int) {
        const EntityRecord* record = world.entities.find(car.id);
        if (!record || record->kind != EntityKind::Vehicle || !world.entities.exists(ped.id) ||
            ped.id == world.player.pedId)
            return;
        TaskStep step;
        step.kind = TaskKind::BoardVehicle;
        step.target = car.id;
        step.point = record->position;
        step.speed = speed;
        step.durationMs = -1;
        step.scriptTask = gameHash("SCRIPT_TASK_BOARD_VEHICLE");
        world.traffic.stopBoarding(ped.id);
        world.tasks.give(ped.id, step, world.clock.elapsedMs);
    });
    // The train-seat scenario: on a free seat of the nearest train car within
    // reach of the point, at once.
    dispatch.implement<n::train::useNearestTrainScenarioWarp>([&world](Ped ped, Vector3 point, float distance) {
        if (!world.entities.exists(ped.id) || ped.id == world.player.pedId)
            return;
        int best = 0;
        float bestDistance = distance;
        for (const auto& [handle, train] : world.trains.all())
            for (int car : train.cars) {
                const EntityRecord* record = world.entities.find(car);
                if (!record || !world.seats.resolveFreeSeat(car, VehicleSeats::anyPassengerSeat))
                    continue;
                const float d = distance3d(record->position, point);
                if (d <= bestDistance) {
                    bestDistance = d;
                    best = car;
                }
            }
        if (!best)
            return;
        world.tasks.clear(ped.id);
        world.seats.seatPed(best, *world.seats.resolveFreeSeat(best, VehicleSeats::anyPassengerSeat), ped.id);
        world.tasks.assignScriptTask(ped.id, gameHash("SCRIPT_TASK_USE_NEAREST_TRAIN_SCENARIO_TO_COORD_WARP"),
                                     TaskRunner::TrainSeat, best);
    });
    dispatch.implement<n::vehicle::setForceCoachRobberyLoot>([&world](Vehicle vehicle, Hash loot) {
        const EntityRecord* record = world.entities.find(vehicle.id);
        if (record && record->kind == EntityKind::Vehicle)
            world.traffic.setRobberyLoot(vehicle.id, loot);
    });
}

} // namespace sim
