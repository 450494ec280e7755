#pragma once
// The data behind the game's scenario points (world/places/scenario_point_data.cpp):
// the kinds of seat a ped or the player can sit on, the seat props standing at
// the named places, the towns' streets and saloons where benches, steps and
// chairs are, and the points a camp propset brings.
#include "runtime/types.h"

#include <cstdint>
#include <vector>

namespace sim {

// A kind of seat: the scenario point type the game reports for a ped using it,
// and the scenario a ped plays there. The game's type hashes stand for its
// seats; which hash is which piece of furniture is this simulator's choice.
struct SeatKind {
    std::uint32_t pointType;
    const char* scenario;
};

namespace seats {
extern const SeatKind campFire;     // a log or stool by a camp fire
extern const SeatKind chair;        // a chair on a porch or in a room
extern const SeatKind bench;        // a bench on a street
extern const SeatKind chairAtTable; // a chair at a table
extern const SeatKind barStool;     // a stool at a saloon's bar
extern const SeatKind steps;        // porch steps
// The six kinds, in the order above.
const std::vector<const SeatKind*>& all();
} // namespace seats

// A seat prop of the map (a chair, a bench, a camp stool): an object of the
// model, with a point of the seat's kind on it.
struct SeatPropRow {
    std::uint32_t model;
    drovil::Vector3 position;
};
const std::vector<SeatPropRow>& seatPropTable();
// The seat kind of a seat prop's model.
const SeatKind& seatKindOfProp(std::uint32_t model);

// A town's streets (position and the heading along the street) and its saloons.
struct TownSpot {
    float x, y, z, heading;
};
struct TownSeatsRow {
    std::vector<TownSpot> streets;
    std::vector<TownSpot> saloons;
};
const std::vector<TownSeatsRow>& townSeatsTable();

// A point a camp propset brings: where it is from the camp's centre, turned
// with the camp (metres to the right, metres ahead, facing relative to the
// camp), and what it is.
struct CampPointRow {
    float right, ahead, heading;
    std::uint32_t pointType;
    const char* scenario;
};
const std::vector<CampPointRow>& campPointTable();

} // namespace sim
