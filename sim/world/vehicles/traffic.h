#pragma once
// Vehicles on the move: drivers wandering the roads or driving to a point and
// stopping there, peds walking up to a vehicle and getting into a seat, and
// everyone in a seat (of a wagon, a coach or on horseback) carried along with
// it. It also measures how fast every entity moved in the last frame, which is
// what the game reports as an entity's speed and what "stopped" means.
#include "runtime/types.h"
#include "world/vehicles/road_network.h"

#include <cstdint>
#include <map>
#include <vector>

namespace sim {

struct World;

enum class DriveKind { Wander, ToPoint };

struct DriveOrder {
    DriveKind kind = DriveKind::Wander;
    int driver = 0;
    float speed = 0.0f;       // m/s
    drovil::Vector3 point;    // ToPoint: the destination
    float stopRange = 4.0f;   // ToPoint: stops this close to it
    std::vector<int> route;   // ToPoint: road vertices still to pass
    int nextVertex = -1;      // Wander: the vertex driven to
    int fromVertex = -1;      // Wander: the vertex left behind
    bool arrived = false;     // ToPoint: standing at the destination
};

struct Boarding {
    int vehicle = 0;
    int seat = -1;
    float speed = 1.0f; // the game's move speed of the walk to the vehicle
    std::uint64_t untilMs = 0; // gives up then (0: never)
};

class Traffic {
public:
    // How near a ped must come to a vehicle to climb into it.
    static constexpr float boardingReach = 2.0f;
    // A stopped vehicle moves no faster than this (m/s), as the game counts it.
    static constexpr float stoppedSpeed = 0.0025f;

    RoadNetwork roads;

    // The driver (in the vehicle's driver seat) drives about the roads at `speed` m/s.
    void wander(World& world, int vehicle, int driver, float speed);
    // The driver drives along the roads to the point and stops within `stopRange` of it.
    void driveTo(World& world, int vehicle, int driver, const drovil::Vector3& point, float speed, float stopRange);
    const DriveOrder* orderOf(int vehicle) const;
    // The ped walks to the vehicle and gets into the seat (-1 the driver's).
    void board(World& world, int ped, int vehicle, int seat, float speed, int timeoutMs);
    bool isBoarding(int ped) const { return boardings_.count(ped) != 0; }
    void stopBoarding(int ped) { boardings_.erase(ped); }

    // What a coach's boot holds for a robber (a loot table's hash); 0 for the game's own choice.
    void setRobberyLoot(int vehicle, std::uint32_t loot) { robberyLoot_[vehicle] = loot; }
    std::uint32_t robberyLootOf(int vehicle) const {
        auto found = robberyLoot_.find(vehicle);
        return found == robberyLoot_.end() ? 0 : found->second;
    }

    // The extra load (a propset) a vehicle carries; 0 for none.
    void load(int vehicle, std::uint32_t propset) { loads_[vehicle] = propset; }
    std::uint32_t loadOf(int vehicle) const {
        auto found = loads_.find(vehicle);
        return found == loads_.end() ? 0 : found->second;
    }

    // Metres per second the entity moved in the last frame (0 for one just made).
    float speedOf(int entity) const;

    // One frame: drivers drive, boarders walk and sit down, every seated ped
    // rides along, and the speeds are measured.
    void step(World& world);

    // The vehicle or ped is gone from the world: its orders and measures go too.
    void forget(int id) {
        orders_.erase(id), boardings_.erase(id), lastPositions_.erase(id), speeds_.erase(id);
        loads_.erase(id), robberyLoot_.erase(id);
    }

private:
    void drive(World& world, int vehicle, DriveOrder& order, float frameSeconds);
    void walkToSeats(World& world, float frameSeconds);
    void carrySeated(World& world);
    void measureSpeeds(World& world, float frameSeconds);

    std::map<int, DriveOrder> orders_; // by vehicle
    std::map<int, Boarding> boardings_; // by ped
    std::map<int, drovil::Vector3> lastPositions_;
    std::map<int, float> speeds_;
    std::map<int, std::uint32_t> loads_;
    std::map<int, std::uint32_t> robberyLoot_;
};

} // namespace sim
