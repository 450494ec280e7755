#include "executors/road_vehicle.h"

#include "runtime/model_load.h"
#include "runtime/natives.h"

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
} // namespace

bool walkRoadFrom(const Vector3& from, Vector3& routeStart, int hops, float hopLength) {
    Vector3 node;
    float heading = 0.0f;
    if (!nearestNode(from, node, heading))
        return false;
    for (int hop = 0; hop < hops; ++hop) {
        const float s = natives::misc::sine(heading);
        const float c = natives::misc::cosine(heading);
        const Vector3 ahead(node.x + hopLength * s, node.y + hopLength * c, node.z);
        Vector3 next;
        float unused = 0.0f;
        nearestNode(ahead, next, unused);
        const double dx = static_cast<double>(next.x) - node.x;
        const double dy = static_cast<double>(next.y) - node.y;
        const int degrees = static_cast<int>(-std::atan2(dy, dx) * 180.0 / pi);
        heading = static_cast<float>(((360 - degrees) % 360 + 360) % 360);
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
