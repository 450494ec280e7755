#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementScenarioNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::scenario::findPoint>(
        [&world](Vector3 position, float radius, Hash type, int, int, int) {
            return world.scenarios.findPoint(position, radius, type);
        });
    dispatch.implement<n::scenario::startOnPoint>(
        [&world](int point, Hash scenario, Vector3 offset, float heading, int, int, bool) {
            return Scenario(world.scenarios.startOnPoint(point, scenario, offset, heading));
        });
    dispatch.implement<n::scenario::startAtPosition>(
        [&world](Hash scenario, Vector3 position, float heading, Hash, int, bool) {
            return Scenario(world.scenarios.startAt(scenario, position, heading));
        });
    dispatch.implement<n::scenario::setPosition>([&world](Scenario scenario, Vector3 position, bool) {
        if (RunningScenario* running = world.scenarios.find(scenario.id))
            running->position = position;
    });
    dispatch.implement<n::scenario::setHeading>([&world](Scenario scenario, float heading, bool) {
        if (RunningScenario* running = world.scenarios.find(scenario.id))
            running->heading = heading;
    });
    dispatch.implement<n::scenario::exists>(
        [&world](Scenario scenario) { return world.scenarios.exists(scenario.id); });
    dispatch.implement<n::scenario::end>([&world](Scenario scenario) { world.scenarios.end(scenario.id); });
}

} // namespace sim
