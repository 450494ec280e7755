#include "behaviour/prostitute_lure_task.h"

#include "behaviour/async_conversation.h"
#include "behaviour/speech.h"
#include "runtime/debug_tools.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"

#include <string>

namespace drovil {
namespace {
// She speaks to him from this close.
constexpr float talkingDistance = 4.0f;
// Her walk to the spot stops once she is within this range of it, measured
// along the ground.
constexpr float spotStopRange = 4.0f;
// She is at the spot from this close. The game stops her at the edge of the
// stop range, so on a slope, with the spot above or below her, she stands a
// little farther from it than the range: checked against the range alone the
// two would wait there for good.
constexpr float spotReached = spotStopRange + 0.5f;
// A pause after every line of the exchange.
constexpr int lineDelayMs = 500;
constexpr Hash knife = 0xDB21AC8C; // WEAPON_MELEE_KNIFE
} // namespace

ProstituteLureTask::ProstituteLureTask(Ped prostitute, Ped target, const Vector3& lureLocation, bool accepts,
                                       bool attack)
    : AsyncPedTask(prostitute), target_(target), lureLocation_(lureLocation), accepts_(accepts), attack_(attack) {}

ProstituteLureTask::~ProstituteLureTask() {
    // Deleting it takes it off the running list too.
    delete conversation_;
}

bool ProstituteLureTask::interrupted() const {
    return pedHogtied(ped_) || pedFleeing(ped_) || entityDead(ped_) || pedHogtied(target_) ||
           pedFleeing(target_) || entityDead(target_) ||
           natives::ped::isFatallyInjured(target_) || pedFightingPlayer(target_);
}

void ProstituteLureTask::step() {
    if (interrupted()) {
        phase_ = Over;
        return;
    }
    if (isDebugToolsOn())
        drawText(std::to_string(phase_), 0.0f, 0.0f, 255, 255, 255, 255, false, 0.6f, 0.6f, "$title");
    switch (phase_) {
    case Approach:
        sendHerToHim();
        waitFor(1000);
        phase_ = Flirt;
        break;
    case Flirt:
        if (distanceBetween(entityPosition(ped_.entity()), entityPosition(target_.entity())) <= talkingDistance) {
            startConversation();
            phase_ = Answer;
        }
        break;
    case Answer:
        if (conversation_ && conversation_->isFinished()) {
            if (accepts_) {
                phase_ = Lead;
            } else {
                natives::task::clearTasks(ped_, true, true);
                natives::task::clearTasks(target_, true, true);
                phase_ = Over;
            }
        }
        break;
    case Lead:
        setOffForTheSpot();
        phase_ = Walking;
        break;
    case Walking:
        if (distanceBetween(entityPosition(ped_.entity()), lureLocation_) <= spotReached)
            phase_ = attack_ ? Attack : Over;
        break;
    case Attack:
        turnOnHer();
        phase_ = Attacked;
        break;
    default:
        break;
    }
}

void ProstituteLureTask::sendHerToHim() {
    const Ped inSequence(0);
    TaskSequence sequence;
    natives::task::openSequence(&sequence);
    natives::task::lookAtEntity(inSequence, target_.entity(), -1, -1, 2048, 3);
    natives::task::followEntity(inSequence, target_.entity(), Vector3(), 1.0f, 30000, 3.0f, false, 0, 1, 0, 0, 0);
    natives::task::turnToFaceEntity(inSequence, target_.entity(), -1, 0.0f, 0.0f, 0.0f);
    natives::task::closeSequence(sequence);
    natives::task::performSequence(ped_, sequence);
    natives::task::clearSequence(&sequence); // the ped keeps its copy
}

void ProstituteLureTask::startConversation() {
    conversation_ = createAsyncConversation();
    conversation_->addLine(ped_, "GREET_FLIRTY", lineDelayMs);
    if (accepts_) {
        conversation_->addLine(target_, "GREET_FLIRTY", lineDelayMs);
    } else {
        conversation_->addLine(target_, "IGNORING_YOU", lineDelayMs);
        conversation_->addLine(ped_,
                               randomInt(0, 2) == 0 ? "PROSTITUTE_REJECT_RESPONSE_SICK"
                                                    : "PROSTITUTE_REJECT_RESPONSE_EVENING",
                               lineDelayMs);
    }
    natives::task::turnToFaceEntity(target_, ped_.entity(), -1, 0.0f, 0.0f, 0.0f);
    conversation_->step();
}

void ProstituteLureTask::setOffForTheSpot() {
    const Ped inSequence(0);
    TaskSequence hers;
    natives::task::openSequence(&hers);
    natives::task::goToPoint(inSequence, lureLocation_, 0.75f, -1, spotStopRange, 0, 0.0f);
    natives::task::turnToFaceEntity(inSequence, target_.entity(), -1, 0.0f, 0.0f, 0.0f);
    natives::task::closeSequence(hers);
    natives::task::performSequence(ped_, hers);
    natives::task::clearSequence(&hers); // the ped keeps its copy

    TaskSequence his;
    natives::task::openSequence(&his);
    natives::task::lookAtEntity(inSequence, ped_.entity(), -1, -1, 2048, 3);
    natives::task::followEntity(inSequence, ped_.entity(), Vector3(), 0.75f, -1, 1.5f, true, 0, 1, 0, 0, 0);
    natives::task::turnToFaceEntity(inSequence, ped_.entity(), -1, 0.0f, 0.0f, 0.0f);
    natives::task::closeSequence(his);
    natives::task::performSequence(target_, his);
    natives::task::clearSequence(&his); // the ped keeps its copy
}

void ProstituteLureTask::turnOnHer() {
    if (!natives::weapon::pedHasWeapon(target_, knife, 0, false))
        natives::weapon::giveDelayedWeapon(target_, knife, 1, false, 0);
    natives::combat::holdWeapon(target_, knife, true, 0, 0, 0);
    const Ped inSequence(0);
    TaskSequence sequence;
    natives::task::openSequence(&sequence);
    natives::task::swapWeapon(inSequence, true, true, 0, 0);
    natives::task::melee(inSequence, ped_, getHashKey("AR_STEALTH_KILL_V2"), 0, 0, 1.0f, 0, -1.0f);
    natives::task::closeSequence(sequence);
    natives::task::performSequence(target_, sequence);
    natives::task::clearSequence(&sequence); // the ped keeps its copy
    playSpeech(ped_, "GENERIC_INSULT_HIGH_FEMALE");
}

} // namespace drovil
