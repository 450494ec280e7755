#include "world/places/scenarios.h"

#include "world/places/scenario_points.h"

#include <cmath>

namespace sim {
namespace {
using drovil::Vector3;

float distance3(const Vector3& a, const Vector3& b) {
    const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}
} // namespace

Scenarios::Scenarios() {
    int handle = 60000;
    for (const ScenarioPointRow& row : scenarioPointTable())
        points_.push_back(ScenarioPoint{++handle, row.type, row.position});
}

int Scenarios::findPoint(const Vector3& position, float radius, std::uint32_t type) const {
    int best = 0;
    float bestDistance = radius;
    for (const ScenarioPoint& point : points_) {
        if (point.type != type)
            continue;
        const float distance = distance3(position, point.position);
        if (distance <= bestDistance) {
            best = point.handle;
            bestDistance = distance;
        }
    }
    return best;
}

const ScenarioPoint* Scenarios::point(int handle) const {
    for (const ScenarioPoint& point : points_)
        if (point.handle == handle)
            return &point;
    return nullptr;
}

int Scenarios::removePointsNear(const Vector3& position, float radius) {
    int removed = 0;
    for (auto it = points_.begin(); it != points_.end();) {
        if (distance3(position, it->position) <= radius) {
            it = points_.erase(it);
            ++removed;
        } else {
            ++it;
        }
    }
    return removed;
}

int Scenarios::startOnPoint(int pointHandle, std::uint32_t scenario, const Vector3& offset, float heading) {
    const ScenarioPoint* seat = point(pointHandle);
    if (!seat)
        return 0;
    const Vector3 at(seat->position.x + offset.x, seat->position.y + offset.y, seat->position.z + offset.z);
    const int handle = ++nextScenario_;
    running_[handle] = RunningScenario{handle, scenario, pointHandle, at, heading};
    ++started_;
    return handle;
}

int Scenarios::startAt(std::uint32_t scenario, const Vector3& position, float heading) {
    const int handle = ++nextScenario_;
    running_[handle] = RunningScenario{handle, scenario, 0, position, heading};
    ++started_;
    return handle;
}

RunningScenario* Scenarios::find(int handle) {
    const auto found = running_.find(handle);
    return found == running_.end() ? nullptr : &found->second;
}

void Scenarios::end(int handle) {
    if (running_.erase(handle) != 0)
        ++ended_;
}

} // namespace sim
