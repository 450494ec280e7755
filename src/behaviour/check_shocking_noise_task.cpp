#include "behaviour/check_shocking_noise_task.h"

#include "behaviour/investigation_route.h"
#include "behaviour/speech.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/host_api.h"
#include "runtime/natives.h"

#include <algorithm>

namespace drovil {
namespace {
// The guard advances at most this far towards a shocking noise.
constexpr float furthestApproach = 15.0f;
// It checks this far to either side of the point.
constexpr float sideOffset = 7.0f;
} // namespace

CheckShockingNoiseTask::CheckShockingNoiseTask(Ped guard, const Vector3& point)
    : AsyncPedTask(guard), point_(point) {
    const InvestigationRoute route = planInvestigation(guard, point);
    const Vector3 approach =
        pointAlong(route.home, route.direction, std::min(0.7f * route.distance, furthestApproach));

    if (route.scenarioPoint != -1)
        natives::task::setCombatScenarioExit(guard, point, 3);
    playSpeech(guard, randomInt(0, 2) == 1 ? "WHOA_ESCALATED" : "GENERIC_SHOCKED_HIGH");
    natives::combat::holdWeapon(guard, natives::combat::bestWeapon(guard, 0, 0), false, 0, 0, 0);
    natives::ped::setBlackboardFloat(guard, "cautious", 1.0f, 15000);

    const Ped inSequence(0);
    TaskSequence sequence;
    natives::task::openSequence(&sequence);
    natives::task::swapWeapon(inSequence, true, true, 0, 0);
    natives::task::lookAtPoint(inSequence, point, -1, 0, 51, 1);
    natives::task::aimAtPoint(inSequence, point, randomInt(3000, 4000), false, false);
    natives::task::aimAtPoint(inSequence, Vector3(point.x, point.y + sideOffset, point.z),
                              randomInt(3000, 4000), false, false);
    natives::task::aimAtPoint(inSequence, Vector3(point.x, point.y - sideOffset, point.z),
                              randomInt(3000, 4000), false, false);
    natives::task::goToPoint(inSequence, approach, 2.0f, -1, 1.0f, 0, route.turn);
    natives::task::aimAtPoint(inSequence, route.lookPoint, randomInt(5000, 7000), false, false);
    addReturnSteps(route);
    natives::task::closeSequence(sequence);
    natives::task::performSequence(guard, sequence);
    natives::task::clearSequence(&sequence); // the ped keeps its copy
    scriptWait(50);
}

bool CheckShockingNoiseTask::isFinished() {
    return entityDead(ped_) || natives::task::sequenceProgress(ped_) == -1;
}

} // namespace drovil
