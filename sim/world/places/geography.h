#pragma once
// The simulated map: which zone a position lies in (towns, districts, states),
// the height of the ground, the road network with its nodes and headings, and
// the railway.
#include "runtime/types.h"
#include "world/places/geography_data.h"
#include "world/places/town_streets.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

// The kinds of zone the game answers for.
inline constexpr int zoneKindTown = 1;
inline constexpr int zoneKindDistrict = 10;
inline constexpr int zoneKindState = 11;
inline constexpr int zoneKindAny = -1;

struct RoadNode {
    drovil::Vector3 position;
    float heading = 0.0f; // degrees, the entities' convention: 0 north (+y), counter-clockwise
};

class Geography {
public:
    Geography();

    // The zone hash of the given kind at a position; 0 when there is none.
    std::uint32_t zoneAt(const drovil::Vector3& position, int kind) const;
    std::uint32_t townAt(float x, float y) const;
    std::uint32_t districtAt(float x, float y) const;
    std::uint32_t stateAt(float x, float y) const;
    // The district's display name, or empty.
    const char* districtName(std::uint32_t hash) const;

    float groundHeight(float x, float y) const;

    // Road nodes lie every `roadNodeSpacing` metres along every road.
    static constexpr float roadNodeSpacing = 10.0f;
    // A road node search finds nothing farther than this.
    static constexpr float roadSearchLimit = 2000.0f;
    std::optional<RoadNode> nearestRoadNode(const drovil::Vector3& position) const;
    // The nth nearest node within `roadFavourRadius` of `position`, its heading
    // turned to face `towards`.
    static constexpr float roadFavourRadius = 60.0f;
    std::optional<RoadNode> roadNodeTowards(const drovil::Vector3& position, const drovil::Vector3& towards,
                                            int nth) const;
    const std::vector<RoadNode>& roadNodes() const { return roadNodes_; }

    // The point of the railway nearest to a position, on the ground.
    drovil::Vector3 trackPointNear(const drovil::Vector3& position) const;
    // Distance in the ground plane from a position to the nearest road or track.
    float distanceToRoad(const drovil::Vector3& position) const;
    float distanceToTrack(const drovil::Vector3& position) const;

    // The towns' streets, as their folk walk them.
    const TownStreets& streets() const { return *streets_; }

private:
    struct TownZone {
        std::uint32_t hash;
        std::vector<Disc> discs;
    };
    struct Seed {
        float x, y;
        std::size_t district;
    };
    std::vector<TownZone> towns_;
    std::vector<Seed> seeds_;
    std::vector<std::uint32_t> stateOfDistrict_;
    std::vector<RoadNode> roadNodes_;
    std::optional<TownStreets> streets_; // made once the towns and roads above are
};

} // namespace sim
