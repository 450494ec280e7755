#pragma once
// Who sits where: the seats of every vehicle and mount of the simulated world.
// Seat -1 is the driver's (a mount's rider); passenger seats count up from 0, so
// a model with n seats has the seats -1 to n - 2.
#include <cstdint>
#include <map>
#include <optional>

namespace sim {

struct SeatTaken {
    int vehicle = 0;
    int seat = 0;
};

class VehicleSeats {
public:
    // Asks for any free passenger seat when creating a ped in a vehicle.
    static constexpr int anyPassengerSeat = -2;
    // Seats of a horse: the rider and one behind.
    static constexpr int mountSeatCount = 2;

    // The number of seats of a vehicle model, driver included.
    static int seatCountOfModel(std::uint32_t model);

    void addVehicle(int vehicle, int seatCount);
    bool hasSeats(int vehicle) const { return seatCounts_.count(vehicle) != 0; }
    int seatCount(int vehicle) const;
    bool isValidSeat(int vehicle, int seat) const;

    // The ped in a seat, 0 when it is free.
    int occupant(int vehicle, int seat) const;
    // The first free seat for `seat` (anyPassengerSeat picks the lowest free
    // passenger seat), or nothing when it is taken or out of range.
    std::optional<int> resolveFreeSeat(int vehicle, int seat) const;
    bool anyFree(int vehicle, bool passengers, bool driver) const;

    void seatPed(int vehicle, int seat, int ped);
    std::optional<SeatTaken> seatOf(int ped) const;
    void leaveSeat(int ped);
    // Every carrier's occupied seats: vehicle -> seat -> ped.
    const std::map<int, std::map<int, int>>& occupants() const { return occupants_; }
    // Forgets an entity: a ped leaves its seat, a vehicle loses all of them.
    void forget(int entity);

private:
    std::map<int, int> seatCounts_;
    std::map<int, std::map<int, int>> occupants_; // vehicle -> seat -> ped
    std::map<int, SeatTaken> seatOfPed_;
};

} // namespace sim
