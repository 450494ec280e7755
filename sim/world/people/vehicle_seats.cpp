#include "world/people/vehicle_seats.h"

#include "world/core/strings.h"

#include <string>
#include <utility>
#include <vector>

namespace sim {
namespace {

// The seat counts of the vehicles the contracts use; any other vehicle model is
// taken for a six-seat coach.
const std::map<std::uint32_t, int>& seatCatalogue() {
    static const auto* catalogue = [] {
        const std::vector<std::pair<std::string, int>> named = {
            {"chuckwagon000x", 2},   {"wagon05x", 4},       {"oilWagon01x", 2},
            {"stagecoach004_2x", 6}, {"wagonPrison01x", 6}, {"cart01", 2},
        };
        auto* table = new std::map<std::uint32_t, int>();
        for (const auto& [name, seats] : named)
            (*table)[gameHash(name)] = seats;
        return table;
    }();
    return *catalogue;
}

constexpr int defaultSeatCount = 6;

} // namespace

int VehicleSeats::seatCountOfModel(std::uint32_t model) {
    auto it = seatCatalogue().find(model);
    return it == seatCatalogue().end() ? defaultSeatCount : it->second;
}

void VehicleSeats::addVehicle(int vehicle, int seatCount) {
    seatCounts_[vehicle] = seatCount;
}

int VehicleSeats::seatCount(int vehicle) const {
    auto it = seatCounts_.find(vehicle);
    return it == seatCounts_.end() ? 0 : it->second;
}

bool VehicleSeats::isValidSeat(int vehicle, int seat) const {
    return seat >= -1 && seat <= seatCount(vehicle) - 2;
}

int VehicleSeats::occupant(int vehicle, int seat) const {
    auto it = occupants_.find(vehicle);
    if (it == occupants_.end())
        return 0;
    auto seated = it->second.find(seat);
    return seated == it->second.end() ? 0 : seated->second;
}

std::optional<int> VehicleSeats::resolveFreeSeat(int vehicle, int seat) const {
    if (!hasSeats(vehicle))
        return std::nullopt;
    if (seat == anyPassengerSeat) {
        for (int candidate = 0; candidate <= seatCount(vehicle) - 2; ++candidate)
            if (occupant(vehicle, candidate) == 0)
                return candidate;
        return std::nullopt;
    }
    if (!isValidSeat(vehicle, seat) || occupant(vehicle, seat) != 0)
        return std::nullopt;
    return seat;
}

bool VehicleSeats::anyFree(int vehicle, bool passengers, bool driver) const {
    if (driver && resolveFreeSeat(vehicle, -1))
        return true;
    return passengers && resolveFreeSeat(vehicle, anyPassengerSeat).has_value();
}

void VehicleSeats::seatPed(int vehicle, int seat, int ped) {
    leaveSeat(ped);
    occupants_[vehicle][seat] = ped;
    seatOfPed_[ped] = SeatTaken{vehicle, seat};
}

std::optional<SeatTaken> VehicleSeats::seatOf(int ped) const {
    auto it = seatOfPed_.find(ped);
    if (it == seatOfPed_.end())
        return std::nullopt;
    return it->second;
}

void VehicleSeats::leaveSeat(int ped) {
    if (auto it = seatOfPed_.find(ped); it != seatOfPed_.end()) {
        occupants_[it->second.vehicle].erase(it->second.seat);
        seatOfPed_.erase(it);
    }
}

void VehicleSeats::forget(int entity) {
    leaveSeat(entity);
    if (auto it = occupants_.find(entity); it != occupants_.end()) {
        for (const auto& [seat, ped] : it->second)
            seatOfPed_.erase(ped);
        occupants_.erase(it);
    }
    seatCounts_.erase(entity);
}

} // namespace sim
