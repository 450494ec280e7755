#pragma once
// Scenario points and running scenarios of the simulated world: points are the
// game's fixed seats; scenarios are the idle activities a script starts on a
// point or at a position, which exist until they are ended.
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <vector>

namespace sim {

struct ScenarioPoint {
    int handle = 0;
    std::uint32_t type = 0;
    drovil::Vector3 position;
};

struct RunningScenario {
    int handle = 0;
    std::uint32_t scenario = 0; // hash of the scenario name
    int pointHandle = 0;        // 0 when started at a position
    drovil::Vector3 position;
    float heading = 0.0f;
};

class Scenarios {
public:
    // Holds every point of the scenario point table.
    Scenarios();

    // The nearest point of the type within `radius` (3-D) of the position; 0 for none.
    int findPoint(const drovil::Vector3& position, float radius, std::uint32_t type) const;
    const ScenarioPoint* point(int handle) const;
    const std::vector<ScenarioPoint>& points() const { return points_; }
    // Takes the points within `radius` of a position out of the world (a test
    // making a seat the game does not have); returns how many went.
    int removePointsNear(const drovil::Vector3& position, float radius);

    // 0 when the point is unknown.
    int startOnPoint(int pointHandle, std::uint32_t scenario, const drovil::Vector3& offset, float heading);
    int startAt(std::uint32_t scenario, const drovil::Vector3& position, float heading);
    bool exists(int handle) const { return running_.count(handle) != 0; }
    RunningScenario* find(int handle);
    void end(int handle);
    const std::map<int, RunningScenario>& running() const { return running_; }
    int startedCount() const { return started_; }
    int endedCount() const { return ended_; }

private:
    std::vector<ScenarioPoint> points_;
    std::map<int, RunningScenario> running_;
    int nextScenario_ = 70000;
    int started_ = 0;
    int ended_ = 0;
};

} // namespace sim
