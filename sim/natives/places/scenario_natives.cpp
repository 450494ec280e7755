#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementScenarioNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::object::closestOfType>(
        [&world](Vector3 position, float radius, Hash type, bool, bool, bool) {
            return Object(world.scenarios.findPoint(position, radius, type));
        });
    dispatch.implement<n::scenario::createPointOnEntity>(
        [&world](Entity point, Hash scenario, Vector3 offset, float heading, int, int, bool) {
            return drovil::ScenarioPoint(world.scenarios.startOnPoint(point.id, scenario, offset, heading));
        });
    dispatch.implement<n::scenario::createPoint>(
        [&world](Hash scenario, Vector3 position, float heading, Hash, int, bool) {
            return drovil::ScenarioPoint(world.scenarios.startAt(scenario, position, heading));
        });
    dispatch.implement<n::scenario::setPointCoords>([&world](drovil::ScenarioPoint scenario, Vector3 position, bool) {
        if (RunningScenario* running = world.scenarios.find(scenario.id))
            running->position = position;
    });
    dispatch.implement<n::scenario::setPointHeading>([&world](drovil::ScenarioPoint scenario, float heading, bool) {
        if (RunningScenario* running = world.scenarios.find(scenario.id))
            running->heading = heading;
    });
    dispatch.implement<n::scenario::pointExists>(
        [&world](drovil::ScenarioPoint scenario) { return world.scenarios.exists(scenario.id); });
    dispatch.implement<n::scenario::deletePoint>([&world](drovil::ScenarioPoint scenario) { world.scenarios.end(scenario.id); });
}

} // namespace sim
