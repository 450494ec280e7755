#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {

// A ped created in a seat sits where its vehicle or mount stands, facing its way.
Ped seatNewPed(World& world, int carrier, Hash model, int requestedSeat) {
    const EntityRecord* vehicle = world.entities.find(carrier);
    if (!vehicle || !world.models.isLoaded(model, world.clock.frame))
        return Ped();
    const auto seat = world.seats.resolveFreeSeat(carrier, requestedSeat);
    if (!seat)
        return Ped();
    const drovil::Vector3 position = vehicle->position;
    const float heading = vehicle->heading;
    EntityRecord& ped = world.entities.create(EntityKind::Ped, model, position, heading);
    ped.missionEntity = true;
    world.portraits.pedCreated(ped.id, world.clock.frame);
    world.seats.seatPed(carrier, *seat, ped.id);
    return Ped(ped.id);
}

} // namespace

void implementSpawnNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::spawn::createPed>(
        [&world](Hash model, Vector3 position, float heading, bool, bool, bool, bool) {
            if (!world.models.isLoaded(model, world.clock.frame))
                return Ped();
            EntityRecord& ped = world.entities.create(EntityKind::Ped, model, position, heading);
            ped.missionEntity = true;
            world.portraits.pedCreated(ped.id, world.clock.frame);
            return Ped(ped.id);
        });
    dispatch.implement<n::spawn::createVehicle>(
        [&world](Hash model, Vector3 position, float heading, bool, bool, bool, bool) {
            if (!world.models.isLoaded(model, world.clock.frame))
                return Vehicle();
            EntityRecord& vehicle = world.entities.create(EntityKind::Vehicle, model, position, heading);
            vehicle.missionEntity = true;
            world.seats.addVehicle(vehicle.id, VehicleSeats::seatCountOfModel(model));
            return Vehicle(vehicle.id);
        });
    dispatch.implement<n::spawn::createPedInVehicle>(
        [&world](Vehicle vehicle, Hash model, int seat, bool, bool, bool) {
            const EntityRecord* record = world.entities.find(vehicle.id);
            if (!record || record->kind != EntityKind::Vehicle)
                return Ped();
            return seatNewPed(world, vehicle.id, model, seat);
        });
    dispatch.implement<n::spawn::createPedOnMount>(
        [&world](Ped mount, Hash model, int seat, bool, bool, bool, bool) {
            const EntityRecord* record = world.entities.find(mount.id);
            if (!record || record->kind != EntityKind::Ped || !record->alive)
                return Ped();
            // Any ped the game lets one ride is a mount: the rider's seat and one behind.
            if (!world.seats.hasSeats(mount.id))
                world.seats.addVehicle(mount.id, VehicleSeats::mountSeatCount);
            return seatNewPed(world, mount.id, model, seat);
        });
}

} // namespace sim
