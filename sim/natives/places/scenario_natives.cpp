// Scenario points scripts create (at a position, or on an entity), move, turn
// and delete.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementScenarioNatives(NativeDispatch& dispatch, World& world) {
    // A scenario the game does not have makes no point (a null handle).
    dispatch.implement<n::scenario::createPointOnEntity>(
        [&world](Entity entity, Hash scenario, Vector3 offset, float heading, int, int, bool) {
            if (!world.names.inGame(NameKind::Scenario, scenario, "for a scenario point on an entity"))
                return drovil::ScenarioPoint();
            return drovil::ScenarioPoint(world.scenarioPoints.createOnEntity(world, entity.id, scenario, offset, heading));
        });
    dispatch.implement<n::scenario::createPoint>(
        [&world](Hash scenario, Vector3 position, float heading, Hash, int, bool) {
            if (!world.names.inGame(NameKind::Scenario, scenario, "for a scenario point"))
                return drovil::ScenarioPoint();
            return drovil::ScenarioPoint(world.scenarioPoints.createAt(scenario, position, heading));
        });
    dispatch.implement<n::scenario::setPointCoords>([&world](drovil::ScenarioPoint point, Vector3 position, bool) {
        world.scenarioPoints.setPosition(point.id, position);
    });
    dispatch.implement<n::scenario::setPointHeading>([&world](drovil::ScenarioPoint point, float heading, bool) {
        world.scenarioPoints.setHeading(point.id, heading);
    });
    dispatch.implement<n::scenario::pointExists>(
        [&world](drovil::ScenarioPoint point) { return world.scenarioPoints.exists(point.id); });
    dispatch.implement<n::scenario::deletePoint>(
        [&world](drovil::ScenarioPoint point) { world.scenarioPoints.remove(point.id); });
}

} // namespace sim
