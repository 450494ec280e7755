#include "world/places/geography.h"

#include "world/core/strings.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sim {
namespace {
using drovil::Vector3;

constexpr double pi = 3.14159265358979323846;

// The heading (entities' convention) of travel along (dx, dy).
float headingOf(float dx, float dy) {
    double degrees = std::atan2(-static_cast<double>(dx), static_cast<double>(dy)) * 180.0 / pi;
    if (degrees < 0.0)
        degrees += 360.0;
    return static_cast<float>(degrees);
}

struct Projection {
    float x, y;
    float distance;
};

Projection projectOnSegment(float px, float py, const PlanePoint& a, const PlanePoint& b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float lengthSquared = dx * dx + dy * dy;
    float t = lengthSquared > 0.0f ? ((px - a.x) * dx + (py - a.y) * dy) / lengthSquared : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const float x = a.x + dx * t, y = a.y + dy * t;
    return Projection{x, y, std::hypot(px - x, py - y)};
}

Projection nearestOnLines(float px, float py, const std::vector<Polyline>& lines) {
    Projection best{px, py, std::numeric_limits<float>::max()};
    for (const Polyline& line : lines)
        for (std::size_t i = 1; i < line.size(); ++i) {
            const Projection candidate = projectOnSegment(px, py, line[i - 1], line[i]);
            if (candidate.distance < best.distance)
                best = candidate;
        }
    return best;
}

float distance3(const Vector3& a, const Vector3& b) {
    const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

} // namespace

Geography::Geography() {
    const GeographyData& data = geographyData();
    for (const TownZoneRow& town : data.towns)
        towns_.push_back(TownZone{gameHash(town.zoneName), town.discs});
    for (std::size_t d = 0; d < data.districts.size(); ++d) {
        for (const PlanePoint& seed : data.districts[d].seeds)
            seeds_.push_back(Seed{seed.x, seed.y, d});
        stateOfDistrict_.push_back(gameHash(data.districts[d].stateName));
    }
    for (const Polyline& road : data.roads) {
        for (std::size_t i = 1; i < road.size(); ++i) {
            const PlanePoint a = road[i - 1], b = road[i];
            const float length = std::hypot(b.x - a.x, b.y - a.y);
            const float heading = headingOf(b.x - a.x, b.y - a.y);
            const int steps = std::max(1, static_cast<int>(std::ceil(length / roadNodeSpacing)));
            // Each segment's nodes start at its first vertex; the road's last vertex closes it.
            for (int s = 0; s < steps; ++s) {
                const float t = static_cast<float>(s) / static_cast<float>(steps);
                const float x = a.x + (b.x - a.x) * t, y = a.y + (b.y - a.y) * t;
                roadNodes_.push_back(RoadNode{Vector3(x, y, groundHeight(x, y)), heading});
            }
            if (i + 1 == road.size())
                roadNodes_.push_back(RoadNode{Vector3(b.x, b.y, groundHeight(b.x, b.y)), heading});
        }
    }
    streets_.emplace(*this);
}

std::uint32_t Geography::townAt(float x, float y) const {
    for (const TownZone& town : towns_)
        for (const Disc& disc : town.discs)
            if (std::hypot(x - disc.x, y - disc.y) <= disc.radius)
                return town.hash;
    return 0;
}

std::uint32_t Geography::districtAt(float x, float y) const {
    const GeographyData& data = geographyData();
    if (std::hypot(x - data.island.extent.x, y - data.island.extent.y) <= data.island.extent.radius)
        return data.island.hash;
    const MainlandBox& box = data.mainland;
    if (x < box.minX || x > box.maxX || y < box.minY || y > box.maxY)
        return 0;
    const Seed* nearest = nullptr;
    float nearestSquared = std::numeric_limits<float>::max();
    for (const Seed& seed : seeds_) {
        const float dx = x - seed.x, dy = y - seed.y;
        const float squared = dx * dx + dy * dy;
        if (squared < nearestSquared) {
            nearestSquared = squared;
            nearest = &seed;
        }
    }
    return nearest ? data.districts[nearest->district].hash : 0;
}

std::uint32_t Geography::stateAt(float x, float y) const {
    const GeographyData& data = geographyData();
    const std::uint32_t district = districtAt(x, y);
    if (district == 0)
        return 0;
    if (district == data.island.hash)
        return gameHash(data.island.stateName);
    for (std::size_t d = 0; d < data.districts.size(); ++d)
        if (data.districts[d].hash == district)
            return stateOfDistrict_[d];
    return 0;
}

const char* Geography::districtName(std::uint32_t hash) const {
    const GeographyData& data = geographyData();
    if (hash == data.island.hash)
        return data.island.name;
    for (const DistrictRow& district : data.districts)
        if (district.hash == hash)
            return district.name;
    return "";
}

std::uint32_t Geography::zoneAt(const Vector3& position, int kind) const {
    switch (kind) {
    case zoneKindTown:
        return townAt(position.x, position.y);
    case zoneKindDistrict:
        return districtAt(position.x, position.y);
    case zoneKindState:
        return stateAt(position.x, position.y);
    case zoneKindAny: {
        // Any kind: the smallest zone there is at the position.
        if (const std::uint32_t town = townAt(position.x, position.y))
            return town;
        if (const std::uint32_t district = districtAt(position.x, position.y))
            return district;
        return stateAt(position.x, position.y);
    }
    default:
        return 0;
    }
}

namespace {
// Ground levelled for a building: at its height within `radius`, and sloping
// back to the surveyed ground over the next `blend` metres.
struct LevelledPlot {
    float x, y, z;
    float radius, blend;
};

// The street before the sheriff's offices of Saint Denis and Strawberry, which
// the surveyed heights around put a storey too low.
constexpr LevelledPlot levelledPlots[] = {
    {2502.79f, -1308.546f, 47.95366f, 12.0f, 15.0f},
    {-1804.106f, -352.3542f, 164.1339f, 12.0f, 15.0f},
};

// The height the surveyed points give, before the levelled plots.
float surveyedHeight(float x, float y) {
    // Inverse-distance weighting of the fourth power: the surveyed heights hold
    // exactly at their points and the nearest survey dominates around it.
    double weighted = 0.0, weights = 0.0;
    for (const GroundAnchor& anchor : geographyData().ground) {
        const double dx = static_cast<double>(x) - anchor.x, dy = static_cast<double>(y) - anchor.y;
        const double squared = dx * dx + dy * dy;
        if (squared < 1e-6)
            return anchor.z;
        const double weight = 1.0 / (squared * squared);
        weighted += weight * anchor.z;
        weights += weight;
    }
    return weights > 0.0 ? static_cast<float>(weighted / weights) : 0.0f;
}
} // namespace

float Geography::groundHeight(float x, float y) const {
    float height = surveyedHeight(x, y);
    for (const LevelledPlot& plot : levelledPlots) {
        const float away = std::hypot(x - plot.x, y - plot.y) - plot.radius;
        if (away >= plot.blend)
            continue;
        const float survey = away <= 0.0f ? 0.0f : away / plot.blend;
        height = plot.z + (height - plot.z) * survey;
    }
    return height;
}

std::optional<RoadNode> Geography::nearestRoadNode(const Vector3& position) const {
    const RoadNode* best = nullptr;
    float bestDistance = roadSearchLimit;
    for (const RoadNode& node : roadNodes_) {
        const float distance = distance3(position, node.position);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &node;
        }
    }
    if (!best)
        return std::nullopt;
    return *best;
}

std::optional<RoadNode> Geography::roadNodeTowards(const Vector3& position, const Vector3& towards,
                                                   int nth) const {
    std::vector<std::pair<float, const RoadNode*>> near;
    for (const RoadNode& node : roadNodes_) {
        const float distance = distance3(position, node.position);
        if (distance <= roadFavourRadius)
            near.emplace_back(distance, &node);
    }
    if (nth < 0 || static_cast<std::size_t>(nth) >= near.size())
        return std::nullopt;
    std::stable_sort(near.begin(), near.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    RoadNode node = *near[static_cast<std::size_t>(nth)].second;
    // Turn the node to face the wanted direction along the road.
    const float radians = node.heading * static_cast<float>(pi) / 180.0f;
    const float forwardX = -std::sin(radians), forwardY = std::cos(radians);
    const float toX = towards.x - node.position.x, toY = towards.y - node.position.y;
    if (forwardX * toX + forwardY * toY < 0.0f)
        node.heading = std::fmod(node.heading + 180.0f, 360.0f);
    return node;
}

Vector3 Geography::trackPointNear(const Vector3& position) const {
    const Projection on = nearestOnLines(position.x, position.y, geographyData().railway);
    if (on.distance == std::numeric_limits<float>::max())
        return Vector3();
    return Vector3(on.x, on.y, groundHeight(on.x, on.y));
}

float Geography::distanceToRoad(const Vector3& position) const {
    return nearestOnLines(position.x, position.y, geographyData().roads).distance;
}

float Geography::distanceToTrack(const Vector3& position) const {
    return nearestOnLines(position.x, position.y, geographyData().railway).distance;
}

} // namespace sim
