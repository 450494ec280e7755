#include "world/places/town_streets.h"

#include "world/core/geometry.h"
#include "world/places/geography.h"
#include "world/places/geography_data.h"
#include "world/places/scenario_point_data.h"
#include "world/places/station_clerks.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <tuple>

namespace sim {
namespace {
// A road inside a town is walked in steps of this length, one corner at each.
constexpr float cornerSpacing = 10.0f;
// Two corners of one town this close are one (where roads meet).
constexpr float sameCorner = 3.0f;

struct Projection {
    drovil::Vector3 at;
    float distance;
};

Projection projectOnStreet(const drovil::Vector3& point, const drovil::Vector3& a, const drovil::Vector3& b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length2 = dx * dx + dy * dy;
    float t = length2 > 0.0f ? ((point.x - a.x) * dx + (point.y - a.y) * dy) / length2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const drovil::Vector3 at(a.x + t * dx, a.y + t * dy, a.z + t * (b.z - a.z));
    return Projection{at, flatDistance(at, point)};
}

int findRoot(std::vector<int>& parent, int i) {
    while (parent[static_cast<std::size_t>(i)] != i) {
        parent[static_cast<std::size_t>(i)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(i)])];
        i = parent[static_cast<std::size_t>(i)];
    }
    return i;
}
} // namespace

TownStreets::TownStreets(const Geography& geography) {
    // The roads through each town, a corner every few metres.
    for (const Polyline& road : geographyData().roads) {
        int previous = -1;
        for (std::size_t i = 1; i < road.size(); ++i) {
            const PlanePoint a = road[i - 1], b = road[i];
            const float length = std::hypot(b.x - a.x, b.y - a.y);
            const int steps = std::max(1, static_cast<int>(std::ceil(length / cornerSpacing)));
            const bool last = i + 1 == road.size();
            for (int s = 0; s <= (last ? steps : steps - 1); ++s) {
                const float t = static_cast<float>(s) / static_cast<float>(steps);
                const float x = a.x + (b.x - a.x) * t, y = a.y + (b.y - a.y) * t;
                const std::uint32_t town = geography.townAt(x, y);
                if (town == 0) {
                    previous = -1;
                    continue;
                }
                const int here = add(drovil::Vector3(x, y, geography.groundHeight(x, y)), town);
                if (previous >= 0 && corners_[static_cast<std::size_t>(previous)].town == town)
                    link(previous, here);
                previous = here;
            }
        }
    }
    // The spots on the streets where people gather, and the places townsfolk
    // go to: the saloons' doors and the stations.
    for (const TownSeatsRow& row : townSeatsTable()) {
        for (const TownSpot& spot : row.streets)
            if (const std::uint32_t town = geography.townAt(spot.x, spot.y))
                corners_[static_cast<std::size_t>(add(drovil::Vector3(spot.x, spot.y, spot.z), town))].gathering =
                    true;
        for (const TownSpot& saloon : row.saloons)
            if (const std::uint32_t town = geography.townAt(saloon.x, saloon.y))
                add(drovil::Vector3(saloon.x, saloon.y, saloon.z), town);
    }
    for (const drovil::Vector3& station : StationClerks::stationPositions())
        if (const std::uint32_t town = geography.townAt(station.x, station.y))
            add(station, town);
    joinEachTown();
}

int TownStreets::add(const drovil::Vector3& position, std::uint32_t town) {
    for (std::size_t i = 0; i < corners_.size(); ++i)
        if (corners_[i].town == town && flatDistance(corners_[i].position, position) <= sameCorner)
            return static_cast<int>(i);
    corners_.push_back(Corner{position, town, {}});
    return static_cast<int>(corners_.size() - 1);
}

void TownStreets::link(int a, int b) {
    if (a == b)
        return;
    auto& from = corners_[static_cast<std::size_t>(a)].links;
    if (std::find(from.begin(), from.end(), b) != from.end())
        return;
    from.push_back(b);
    corners_[static_cast<std::size_t>(b)].links.push_back(a);
}

void TownStreets::joinEachTown() {
    // Whatever the roads leave apart (a spot off the road, a road that only
    // crosses a corner of the town) is joined by the shortest streets that
    // join it, the way a town's side streets join its main street.
    std::vector<int> parent(corners_.size());
    std::iota(parent.begin(), parent.end(), 0);
    for (std::size_t a = 0; a < corners_.size(); ++a)
        for (int b : corners_[a].links)
            parent[static_cast<std::size_t>(findRoot(parent, static_cast<int>(a)))] = findRoot(parent, b);
    std::vector<std::tuple<float, int, int>> candidates;
    for (std::size_t a = 0; a < corners_.size(); ++a)
        for (std::size_t b = a + 1; b < corners_.size(); ++b)
            if (corners_[a].town == corners_[b].town)
                candidates.emplace_back(flatDistance(corners_[a].position, corners_[b].position),
                                        static_cast<int>(a), static_cast<int>(b));
    std::sort(candidates.begin(), candidates.end());
    for (const auto& [distance, a, b] : candidates) {
        const int rootA = findRoot(parent, a), rootB = findRoot(parent, b);
        if (rootA == rootB)
            continue;
        parent[static_cast<std::size_t>(rootA)] = rootB;
        link(a, b);
    }
}

int TownStreets::nearestCorner(const drovil::Vector3& position, std::uint32_t town) const {
    int best = -1;
    float bestDistance = std::numeric_limits<float>::max();
    for (std::size_t i = 0; i < corners_.size(); ++i) {
        if (corners_[i].town != town)
            continue;
        const float distance = flatDistance(corners_[i].position, position);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

bool TownStreets::route(int from, int to, std::vector<int>& way) const {
    way.clear();
    if (from < 0 || to < 0)
        return false;
    if (from == to)
        return true;
    // Breadth first, by number of corners: the corners of a road lie evenly
    // spaced, so the fewest corners is near enough the shortest walk.
    std::map<int, int> cameFrom{{from, from}};
    std::vector<int> frontier{from}, next;
    while (!frontier.empty() && !cameFrom.count(to)) {
        next.clear();
        for (int corner : frontier)
            for (int onward : corners_[static_cast<std::size_t>(corner)].links)
                if (cameFrom.emplace(onward, corner).second)
                    next.push_back(onward);
        frontier.swap(next);
    }
    if (!cameFrom.count(to))
        return false;
    for (int corner = to; corner != from; corner = cameFrom[corner])
        way.push_back(corner);
    std::reverse(way.begin(), way.end());
    return true;
}

int TownStreets::destinationFrom(int from, float reach, std::mt19937& random) const {
    if (from < 0)
        return -1;
    const Corner& start = corners_[static_cast<std::size_t>(from)];
    int withinReach = 0, inTown = 0;
    for (std::size_t i = 0; i < corners_.size(); ++i) {
        if (static_cast<int>(i) == from || corners_[i].town != start.town)
            continue;
        ++inTown;
        withinReach += flatDistance(corners_[i].position, start.position) <= reach ? 1 : 0;
    }
    if (inTown == 0)
        return from;
    const bool nearOnly = withinReach > 0;
    std::uniform_int_distribution<int> pick(0, (nearOnly ? withinReach : inTown) - 1);
    int chosen = pick(random);
    for (std::size_t i = 0; i < corners_.size(); ++i) {
        if (static_cast<int>(i) == from || corners_[i].town != start.town)
            continue;
        if (nearOnly && flatDistance(corners_[i].position, start.position) > reach)
            continue;
        if (chosen-- == 0)
            return static_cast<int>(i);
    }
    return from;
}

std::optional<drovil::Vector3> TownStreets::pointNear(const drovil::Vector3& centre, std::uint32_t town,
                                                      float nearest, float farthest, std::mt19937& random) const {
    // The streets that pass within reach, each once.
    std::vector<std::pair<int, int>> streets;
    for (std::size_t a = 0; a < corners_.size(); ++a) {
        if (corners_[a].town != town)
            continue;
        for (int b : corners_[a].links)
            if (b > static_cast<int>(a) &&
                projectOnStreet(centre, corners_[a].position, corners_[static_cast<std::size_t>(b)].position)
                        .distance <= farthest)
                streets.emplace_back(static_cast<int>(a), b);
    }
    if (streets.empty())
        return std::nullopt;
    std::uniform_int_distribution<std::size_t> pickStreet(0, streets.size() - 1);
    std::uniform_real_distribution<float> along(0.0f, 1.0f);
    for (int tries = 0; tries < 12; ++tries) {
        const auto [a, b] = streets[pickStreet(random)];
        const drovil::Vector3& p = corners_[static_cast<std::size_t>(a)].position;
        const drovil::Vector3& q = corners_[static_cast<std::size_t>(b)].position;
        const float t = along(random);
        const drovil::Vector3 at(p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t, p.z + (q.z - p.z) * t);
        const float distance = flatDistance(at, centre);
        if (distance >= nearest && distance <= farthest)
            return at;
    }
    return std::nullopt;
}

float TownStreets::distanceToStreet(const drovil::Vector3& position) const {
    float best = std::numeric_limits<float>::max();
    for (std::size_t a = 0; a < corners_.size(); ++a) {
        best = std::min(best, flatDistance(corners_[a].position, position));
        for (int b : corners_[a].links)
            if (b > static_cast<int>(a))
                best = std::min(best, projectOnStreet(position, corners_[a].position,
                                                      corners_[static_cast<std::size_t>(b)].position)
                                          .distance);
    }
    return best;
}

bool TownStreets::outOfTheWay(const drovil::Vector3& position) const {
    for (const Corner& corner : corners_)
        if (corner.gathering && flatDistance(corner.position, position) < hitchClearOfGathering)
            return false;
    return distanceToStreet(position) >= hitchOffStreet;
}

std::optional<drovil::Vector3> TownStreets::hitchingPlaceNear(const drovil::Vector3& position, float reach) const {
    if (outOfTheWay(position))
        return position;
    // Ring by ring outwards, the nearest place first.
    constexpr float ringSpacing = 2.0f;
    constexpr int placesOnRing = 16;
    constexpr float pi = 3.14159265f;
    for (float radius = ringSpacing; radius <= reach; radius += ringSpacing)
        for (int k = 0; k < placesOnRing; ++k) {
            const float angle = 2.0f * pi * static_cast<float>(k) / static_cast<float>(placesOnRing);
            const drovil::Vector3 at(position.x + radius * std::cos(angle), position.y + radius * std::sin(angle),
                                     position.z);
            if (outOfTheWay(at))
                return at;
        }
    return std::nullopt;
}

} // namespace sim
