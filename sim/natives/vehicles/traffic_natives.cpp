// Vehicles on the roads: placing a new one on its wheels, its load, whether it
// stands still, deleting it; drivers wandering or driving to a point; peds
// getting into a seat; how fast any entity moves.
#include "natives/families.h"
#include "world/vehicles/traffic.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
bool isVehicle(const World& world, int id) {
    const EntityRecord* record = world.entities.find(id);
    return record && record->kind == EntityKind::Vehicle;
}
} // namespace

void implementTrafficNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::vehicle::setOnGroundProperly>([&world](Vehicle vehicle, bool) {
        EntityRecord* record = world.entities.find(vehicle.id);
        if (!record || record->kind != EntityKind::Vehicle)
            return false;
        record->position.z = world.geography.groundHeight(record->position.x, record->position.y);
        return true;
    });
    dispatch.implement<n::vehicle::isStopped>([&world](Vehicle vehicle) {
        return isVehicle(world, vehicle.id) && world.traffic.speedOf(vehicle.id) <= Traffic::stoppedSpeed;
    });
    // A load the game does not have is not put on.
    dispatch.implement<n::vehicle::addPropset>([&world](Vehicle vehicle, Hash propset) {
        if (isVehicle(world, vehicle.id) && world.names.inGame(NameKind::Propset, propset, "loaded onto a vehicle"))
            world.traffic.load(vehicle.id, propset);
    });
    // Only a vehicle the script owns can be deleted; the handle is cleared either way.
    dispatch.implement<n::vehicle::deleteVehicle>([&world](Vehicle* vehicle) {
        if (!vehicle)
            return;
        const EntityRecord* record = world.entities.find(vehicle->id);
        if (record && record->kind == EntityKind::Vehicle && record->missionEntity)
            world.removeEntity(vehicle->id);
        vehicle->id = 0;
    });
    // Any entity's speed: a vehicle the traffic moves by its frame-to-frame
    // travel, anything else (peds walking, running, shoved) as the world saw it
    // move between its last two steps.
    dispatch.implement<n::entity::speed>([&world](Entity entity) {
        const EntityRecord* record = world.entities.find(entity.id);
        if (record && record->kind == EntityKind::Vehicle)
            return world.traffic.speedOf(entity.id);
        return world.traits.speedOf(entity.id);
    });

    // A driving task is for the ped in the driver's seat; anyone else is ignored.
    auto drivesIt = [&world](Ped ped, Vehicle vehicle) {
        const auto seat = world.seats.seatOf(ped.id);
        return isVehicle(world, vehicle.id) && seat && seat->vehicle == vehicle.id && seat->seat == -1;
    };
    dispatch.implement<n::drive::wanderRoads>([&world, drivesIt](Ped ped, Vehicle vehicle, float speed, int) {
        if (!drivesIt(ped, vehicle))
            return;
        world.traffic.wander(world, vehicle.id, ped.id, speed);
        world.tasks.assignScriptTask(ped.id, gameHash("SCRIPT_TASK_VEHICLE_DRIVE_WANDER"), TaskRunner::Drive,
                                     vehicle.id);
    });
    dispatch.implement<n::drive::driveToPoint>([&world, drivesIt](Ped ped, Vehicle vehicle, Vector3 point,
                                                                  float speed, int, Hash, int, float stopRange,
                                                                  float) {
        if (!drivesIt(ped, vehicle))
            return;
        world.traffic.driveTo(world, vehicle.id, ped.id, point, speed, stopRange);
        world.tasks.assignScriptTask(ped.id, gameHash("SCRIPT_TASK_VEHICLE_DRIVE_TO_COORD"), TaskRunner::Drive,
                                     vehicle.id);
    });
    dispatch.implement<n::drive::enterVehicle>(
        [&world](Ped ped, Vehicle vehicle, int timeoutMs, int seat, float speed, int, int) {
            if (!isVehicle(world, vehicle.id) || ped.id == world.player.pedId || !world.entities.exists(ped.id))
                return;
            world.traffic.board(world, ped.id, vehicle.id, seat, speed, timeoutMs);
            world.tasks.assignScriptTask(ped.id, gameHash("SCRIPT_TASK_ENTER_VEHICLE"), TaskRunner::EnterVehicle,
                                         vehicle.id);
        });
}

} // namespace sim
