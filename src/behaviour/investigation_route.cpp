#include "behaviour/investigation_route.h"

#include "runtime/game.h"
#include "runtime/natives.h"

#include <cmath>

namespace drovil {
namespace {
constexpr double pi = 3.14159265358979323846;
} // namespace

float headingTowards(const Vector3& from, const Vector3& to) {
    return static_cast<float>(std::atan2(to.y - from.y, to.x - from.x) * 180.0 / pi - 90.0);
}

Vector3 pointAlong(const Vector3& from, const Vector3& direction, float metres) {
    return Vector3(from.x + direction.x * metres, from.y + direction.y * metres,
                   from.z + direction.z * metres);
}

Vector3 directionTowards(const Vector3& from, const Vector3& to) {
    const float dx = to.x - from.x, dy = to.y - from.y, dz = to.z - from.z;
    const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (length < 1e-4f)
        return Vector3(0.0f, 0.0f, 0.0f);
    return Vector3(dx / length, dy / length, dz / length);
}

InvestigationRoute planInvestigation(Ped guard, const Vector3& point) {
    InvestigationRoute route;
    route.scenarioPoint = natives::task::scenarioPointInUse(guard, true);
    route.home = positionOf(guard);
    route.heading = natives::entity::heading(guard.entity());
    route.direction = directionTowards(route.home, point);
    route.distance = distanceBetween(route.home, point);
    route.turn = headingTowards(route.home, point);
    route.lookPoint = pointAlong(route.home, route.direction, 50.0f);
    return route;
}

void addReturnSteps(const InvestigationRoute& route) {
    const Ped inSequence(0);
    if (route.scenarioPoint == -1) {
        natives::task::goToPoint(inSequence, route.home, 1.5f, -1, 1.0f, 0, route.heading);
        natives::task::achieveHeading(inSequence, route.heading, 2000);
    } else {
        natives::task::useScenarioPoint(inSequence, route.scenarioPoint, 0, 0, true, 0, 0, 0, -1.0f, 0);
    }
}

} // namespace drovil
