#include "behaviour/check_suspicious_event_task.h"

#include "behaviour/investigation_route.h"
#include "behaviour/speech.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/host_api.h"
#include "runtime/natives.h"
#include "ui/text.h"

namespace drovil {
namespace {
// The sequence step after standing about; past it the guard has given up.
constexpr int lastLookingStep = 6;
} // namespace

CheckSuspiciousEventTask::CheckSuspiciousEventTask(Ped guard, const Vector3& point)
    : AsyncPedTask(guard), point_(point) {
    const InvestigationRoute route = planInvestigation(guard, point);
    const Vector3 approach = pointAlong(route.home, route.direction, 0.85f * route.distance);

    if (route.scenarioPoint != -1)
        natives::task::setQuickScenarioExit(guard, route.home, 3, true);
    playSpeech(guard, randomInt(0, 2) == 1 ? "WHAT_IS_THAT" : "WHAT_WAS_THAT");
    natives::combat::holdWeapon(guard, natives::combat::bestWeapon(guard, 0, 0), true, 0, 0, 0);
    natives::ped::setBlackboardFloat(guard, "cautious", 1.0f, 15000);

    const Ped inSequence(0);
    TaskSequence sequence;
    natives::task::openSequence(&sequence);
    natives::task::swapWeapon(inSequence, true, true, 0, 0);
    natives::task::turnToFacePoint(inSequence, point, 2500);
    natives::task::lookAtPoint(inSequence, point, -1, 0, 51, 0);
    natives::task::goToPoint(inSequence, approach, 1.25f, -1, 1.0f, 0, route.turn);
    natives::task::turnToFacePoint(inSequence, route.lookPoint, 1500);
    natives::task::lookAtPoint(inSequence, route.lookPoint, -1, 0, 51, 0);
    natives::task::scenarioInPlace(inSequence, getHashKey("WORLD_HUMAN_GUARD_SCOUT"), randomInt(4000, 8000),
                                   true, true, route.turn, true);
    natives::task::clearLookAt(inSequence);
    addReturnSteps(route);
    natives::task::closeSequence(sequence);
    natives::task::performSequence(guard, sequence);
    natives::task::clearSequence(&sequence); // the ped keeps its copy
    scriptWait(50);
}

bool CheckSuspiciousEventTask::isFinished() {
    return entityDead(ped_) || natives::task::sequenceProgress(ped_) == -1;
}

void CheckSuspiciousEventTask::step() {
    if (natives::task::sequenceProgress(ped_) > lastLookingStep && !closingLineSaid_) {
        playSpeech(ped_, "SEARCHING_FOUND_NOTHING");
        closingLineSaid_ = true;
    }
}

} // namespace drovil
