#pragma once
// The streets of the simulated towns as the game's townsfolk walk them: each
// town's corners (the stretches of road inside the town, every few metres, and
// the spots on its streets where people gather) joined by straight streets so
// that every corner of a town can be reached from every other without leaving
// it. A passer-by walks from corner to corner along them; the street spots the
// player waits at lie on them, as they do on the game's pavements.
#include "runtime/types.h"

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace sim {

class Geography;

class TownStreets {
public:
    struct Corner {
        drovil::Vector3 position;
        std::uint32_t town = 0;  // the town zone it lies in
        std::vector<int> links;  // the corners one street away
        bool gathering = false;  // a spot where people gather (benches, porches)
    };

    explicit TownStreets(const Geography& geography);

    std::size_t size() const { return corners_.size(); }
    const Corner& corner(int index) const { return corners_[static_cast<std::size_t>(index)]; }

    // The corner of the town nearest to a position (-1: the town has no streets).
    int nearestCorner(const drovil::Vector3& position, std::uint32_t town) const;
    // The corners from `from` to `to` along the streets, `from` left out and
    // `to` last, into `way` (its storage reused); false when they are not joined.
    bool route(int from, int to, std::vector<int>& way) const;
    // A corner of the same town as `from`, other than it, chosen at random
    // among those within `reach` metres (any of the town's when none is).
    int destinationFrom(int from, float reach, std::mt19937& random) const;
    // A point on one of the town's streets between `nearest` and `farthest`
    // metres from `centre`, chosen at random; none when no street passes there.
    std::optional<drovil::Vector3> pointNear(const drovil::Vector3& centre, std::uint32_t town, float nearest,
                                             float farthest, std::mt19937& random) const;
    // How far a position lies from the nearest street of any town (the
    // largest float with no streets at all).
    float distanceToStreet(const drovil::Vector3& position) const;

    // Where a rider arriving at a position hitches his horse: the nearest place
    // within `reach` metres that is off the street, clear of the passers-by,
    // and away from the spots where people gather (the position itself when it
    // is already such a place); none when there is no such place within reach.
    static constexpr float hitchOffStreet = 6.0f;
    static constexpr float hitchClearOfGathering = 16.0f;
    std::optional<drovil::Vector3> hitchingPlaceNear(const drovil::Vector3& position, float reach) const;

private:
    int add(const drovil::Vector3& position, std::uint32_t town);
    bool outOfTheWay(const drovil::Vector3& position) const;
    void link(int a, int b);
    void joinEachTown();

    std::vector<Corner> corners_;
};

} // namespace sim
