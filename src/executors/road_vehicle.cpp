#include "executors/road_vehicle.h"

#include "runtime/model_load.h"
#include "runtime/natives.h"

#include <algorithm>
#include <cmath>

namespace drovil {
namespace {
constexpr int vehicleLoadMs = 3000;
constexpr int vehicleLoadRetryMs = 10;
constexpr double pi = 3.14159265358979323846;

// The nearest road node with its heading; (0, 0, 0) and 0 when there is none.
bool nearestNode(const Vector3& position, Vector3& node, float& heading) {
    node = Vector3();
    heading = 0.0f;
    return natives::path::nearestRoadNode(position, &node, &heading, 1, 3.0f, 0);
}

// A hop: the road node nearest the point `length` metres ahead along the game
// heading (headings turn counter-clockwise from north: one facing `heading`
// looks along (-sin, cos)); false when there is none.
bool hopAhead(const Vector3& node, float heading, float length, Vector3& next) {
    const float s = natives::misc::sine(heading);
    const float c = natives::misc::cosine(heading);
    const Vector3 ahead(node.x - length * s, node.y + length * c, node.z);
    float unused = 0.0f;
    return nearestNode(ahead, next, unused);
}

float flatDistance(const Vector3& a, const Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The hop got somewhere: a good part of a hop on, and farther from where the
// walk began.
bool leadsOn(const Vector3& origin, const Vector3& node, const Vector3& next, float hopLength) {
    return flatDistance(node, next) >= hopLength * 0.25f && flatDistance(origin, next) > flatDistance(origin, node);
}

// The turns tried, in degrees either way, when the road does not go straight on.
constexpr float turnsTried[] = {45.0f, -45.0f, 90.0f, -90.0f, 135.0f, -135.0f};
// Hops that fall short are made up for, up to this many times the planned hops.
constexpr int maxHopsPerPlanned = 4;
// The walk is over this near the distance planned.
constexpr float closeEnough = 5.0f;
} // namespace

bool walkRoadFrom(const Vector3& from, Vector3& routeStart, int hops, float hopLength) {
    Vector3 node;
    float heading = 0.0f;
    if (!nearestNode(from, node, heading))
        return false;
    // The distance walked is measured on the map, from the point itself; a hop
    // that snaps back short of its length (a bend) leaves more to walk, and the
    // last hop is only as long as what is left.
    const float wanted = static_cast<float>(hops) * hopLength;
    float walked = flatDistance(from, node);
    for (int hop = 0; hop < hops * maxHopsPerPlanned && walked + closeEnough < wanted; ++hop) {
        const float length = std::min(hopLength, wanted - walked);
        Vector3 next;
        if (!hopAhead(node, heading, length, next))
            break; // no road ahead at all: the walk ends where it is
        // Where the road bends sharply or meets another at a corner, the point
        // straight ahead snaps back onto the corner: the road goes on to one
        // side, and the walk looks for it there, nearest turn first.
        for (const float turn : turnsTried) {
            if (leadsOn(from, node, next, length))
                break;
            Vector3 aside;
            if (hopAhead(node, heading + turn, length, aside) && leadsOn(from, node, aside, length))
                next = aside;
        }
        const double dx = static_cast<double>(next.x) - node.x;
        const double dy = static_cast<double>(next.y) - node.y;
        if (dx == 0.0 && dy == 0.0)
            break; // the road's end: nowhere farther to go
        // The way the step went, as a game heading in whole degrees.
        const int degrees = static_cast<int>(std::atan2(-dx, dy) * 180.0 / pi);
        heading = static_cast<float>((degrees % 360 + 360) % 360);
        walked += flatDistance(node, next);
        node = next;
    }
    routeStart = node;
    return true;
}

Vehicle placeVehicleOnRoad(const Vector3& near, const Vector3& towards, Hash model) {
    Vector3 node;
    float heading = 0.0f;
    if (!natives::path::roadNodeTowards(near, towards, 0, &node, &heading, 1, 3, 0))
        return Vehicle();
    if (!loadModelWithin(model, vehicleLoadMs, "road vehicle", vehicleLoadRetryMs))
        return Vehicle();
    const Vehicle vehicle = natives::spawn::createVehicle(model, node, heading, true, true, false, false);
    natives::streaming::setModelNoLongerNeeded(model);
    if (vehicle)
        natives::vehicle::setOnGroundProperly(vehicle, false);
    return vehicle;
}

} // namespace drovil
