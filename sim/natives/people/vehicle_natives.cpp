#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementVehicleNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::vehicle::seatCountOfModel>(
        [](Hash model) { return VehicleSeats::seatCountOfModel(model); });
    dispatch.implement<n::vehicle::driver>([&world](Vehicle vehicle) {
        const int ped = world.seats.occupant(vehicle.id, -1);
        return world.entities.exists(ped) ? Ped(ped) : Ped();
    });
    // Driveable unless wrecked (a vehicle is wrecked when it is no longer `alive`).
    dispatch.implement<n::vehicle::isDriveable>([&world](Vehicle vehicle, bool, bool) {
        const EntityRecord* record = world.entities.find(vehicle.id);
        return record != nullptr && record->kind == EntityKind::Vehicle && record->alive;
    });
    dispatch.implement<n::vehicle::isPedInVehicle>([&world](Ped ped, Vehicle vehicle, bool) {
        const auto seat = world.seats.seatOf(ped.id);
        return seat && seat->vehicle == vehicle.id && world.entities.exists(vehicle.id);
    });
}

} // namespace sim
