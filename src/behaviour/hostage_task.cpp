#include "behaviour/hostage_task.h"

#include "behaviour/hostages.h"
#include "behaviour/relative_angle.h"
#include "behaviour/script_task.h"
#include "behaviour/speech.h"
#include "behaviour/tutorials.h"
#include "runtime/game.h"
#include "runtime/game_clock.h"
#include "runtime/host_api.h"
#include "runtime/frame_reads.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"

#include <cmath>

namespace drovil {
namespace {

// Speech lines, one taken at random.
const char* const armedSubmits[] = {"DONT_BE_STUPID", "CUT_THAT_OUT", "COOL_IT"};
const char* const unarmedSubmits[] = {"INTIMIDATED_GEN", "PLEAD"};
const char* const heldHostage[] = {"PLEAD", "INTIMIDATED_AGAIN_GEN", "INTIMIDATED_ROB", "DONT_WANT_TROUBLE",
                                   "INTIMIDATED_GEN"};
const char* const repeatedThreat[] = {"WITNESS_THREATEN_INTERRUPT", "ROB_PULL_GUN"};

template <std::size_t N> const char* anyOf(const char* const (&lines)[N]) {
    return lines[randomInt(0, static_cast<int>(N))];
}

constexpr float releaseDistance = 10.0f;
constexpr int heldLineEvery = 15;

Hash followTaskType() {
    static const Hash hash = getHashKey("SCRIPT_TASK_FOLLOW_TO_OFFSET_OF_ENTITY");
    return hash;
}

bool isGun(Hash weapon) {
    return natives::combat::isGun(weapon);
}

bool carriesGun(Ped ped) {
    return isGun(natives::combat::bestWeapon(ped, 0, 0));
}

bool playerHoldsGun() {
    Hash weapon = 0;
    natives::ped::currentWeapon(playerPed(), &weapon, false, 0, false);
    return isGun(weapon);
}

// The unit vector on the ground from the player to the ped.
Vector3 awayFromPlayer(const Vector3& player, const Vector3& ped) {
    const float dx = ped.x - player.x, dy = ped.y - player.y, dz = ped.z - player.z;
    const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (length < 1e-4f)
        return Vector3(0.0f, 1.0f, 0.0f);
    return Vector3(dx / length, dy / length, dz / length);
}

Vector3 scaled(const Vector3& v, float by) {
    return Vector3(v.x * by, v.y * by, v.z * by);
}

// The game reads a follow offset in the followed entity's own frame (x to its
// right, y ahead of it), so a direction on the map is turned into the player's
// frame first; given as it is, the hostage would end up beside the player
// whenever he does not face north.
Vector3 inPlayersFrame(Ped player, const Vector3& onTheMap) {
    const float radians = natives::entity::heading(player.entity()) * 0.017453292f;
    const float aheadX = -std::sin(radians), aheadY = std::cos(radians);
    return Vector3(onTheMap.x * aheadY - onTheMap.y * aheadX, onTheMap.x * aheadX + onTheMap.y * aheadY, onTheMap.z);
}

} // namespace

HostageTask::HostageTask(Ped ped, float courage, ThreatAim aim) : AsyncPedTask(ped), courage_(courage), aim_(aim) {}

// Aimed at the way the threat was made: locked on, or through the sights.
bool HostageTask::playerAimsAtPed() const {
    if (aim_ == ThreatAim::LockedOn)
        return playerTargetEntity() == ped_.entity();
    return natives::player::isFreeAimingAt(playerIndex(), ped_.entity());
}

bool HostageTask::stillEligible() {
    return mayBeThreatened(ped_, true);
}

bool HostageTask::isFinished() {
    if (state_ != HostageState::Done && stillEligible())
        return false;
    natives::gameevent::removeShockingEvent(spare_);
    return true;
}

void HostageTask::step() {
    const int threats = natives::decorator::getInt(ped_.entity(), timesThreatenedDecorator);
    if (threats == 0)
        return;
    const Ped player = playerPed();
    const bool aiming = playerAimsAtPed();
    const bool playerArmed = playerHoldsGun();
    const float distance = distanceBetween(positionOf(player), positionOf(ped_));
    const bool hostageArmed = carriesGun(ped_);

    if (state_ == HostageState::Held || state_ == HostageState::Shoved) {
        if (distance > releaseDistance || !playerArmed || natives::ped::isRagdoll(player)) {
            release(hostageArmed ? Reaction::Fight : Reaction::Flee);
            state_ = HostageState::Done;
            return;
        }
        // The clock's seconds, turned into real seconds by the game's pace.
        const int now = gameClockSeconds();
        const long long elapsed = static_cast<long long>(now) - lineTimer_;
        const long long realSecondsPerMinute = natives::gamestate::msPerGameMinute() / 1000;
        if (static_cast<long long>(static_cast<double>(elapsed * realSecondsPerMinute) * 0.016666668) >
            heldLineEvery) {
            playSpeech(ped_, anyOf(heldHostage));
            lineTimer_ = now;
        }
    }

    const bool male = natives::ped::isMale(ped_);
    switch (state_) {
    case HostageState::Threatened:
        if (threatsSeen_ < threats) {
            if (threats == 1) {
                playSpeech(player, male ? "POINT_GUN_AT_MALE_URGENT" : "POINT_GUN_AT_FEMALE_URGENT");
            } else {
                playSpeech(player, anyOf(repeatedThreat));
                scriptWait(100);
            }
            state_ = HostageState::Reacting;
        } else if (!aiming || distance > releaseDistance) {
            // He laughed the threat off and the player has turned from him or
            // walked away: the threat is over, and someone else may be
            // threatened.
            state_ = HostageState::Done;
        }
        break;
    case HostageState::Reacting:
        if (!isSpeaking(player))
            react(threats, aiming, playerArmed, hostageArmed, distance);
        break;
    case HostageState::Held:
        if (natives::ped::shovedRecently(ped_, 500) || threatsSeen_ < threats) {
            playSpeech(player, male ? "BUMP_MALE_URGENT" : "BUMP_FEMALE_URGENT");
            playSpeech(ped_, anyOf(heldHostage));
            shove();
            state_ = HostageState::Shoved;
        }
        break;
    case HostageState::Shoved:
        // The follow is a step of the shove's sequence, which the game reports
        // as no task of its own: it is over once no longer under way and the
        // sequence has ended.
        if (!taskUnderWay(natives::task::scriptTaskStatus(ped_, followTaskType(), false)) &&
            natives::task::sequenceProgress(ped_) == -1) {
            if (natives::entity::speed(player.entity()) >= 0.2f) {
                natives::task::lookAtEntity(ped_, player.entity(), -1, -1, 2048, 3);
                const Vector3 offset =
                    inPlayersFrame(player, scaled(awayFromPlayer(positionOf(player), positionOf(ped_)), 3.5f));
                natives::task::followEntity(Ped(), player.entity(), offset, 1.0f, 7000, 0.0f, true, 0, 1, 0, 0, 0);
                shove();
            } else {
                natives::task::turnToFaceEntity(ped_, player.entity(), -1, 0.0f, 0.0f, 0.0f);
                state_ = HostageState::Held;
            }
        }
        if (natives::ped::shovedRecently(ped_, 500))
            shove();
        break;
    case HostageState::Done:
        break;
    }
    threatsSeen_ = threats;
}

void HostageTask::react(int threats, bool aiming, bool playerArmed, bool hostageArmed, float distance) {
    if (hostageArmed) {
        const int angle = playerBearingAround(ped_.entity());
        // Faced by the player, an armed ped fights; from behind its courage decides.
        if (angle < 121 || angle > 249) {
            release(Reaction::Fight);
            state_ = HostageState::Done;
            return;
        }
        const int roll = randomInt(0, 101);
        if (static_cast<float>(roll) / 100.0f > courage_) {
            release(Reaction::Fight);
            state_ = HostageState::Done;
        } else {
            takeHostage(true);
            state_ = HostageState::Held;
        }
        return;
    }
    if (playerArmed) {
        if (aiming && distance <= courage_ * 12.0f) {
            takeHostage(false);
            state_ = HostageState::Held;
        } else {
            release(Reaction::Flee);
            state_ = HostageState::Done;
        }
        return;
    }
    // Neither has a gun: the first threat is laughed off, the second scares it away.
    if (threats == 1) {
        playSpeech(ped_, "IGNORING_YOU");
        release(Reaction::None);
        state_ = HostageState::Threatened;
    } else {
        release(Reaction::Flee);
        state_ = HostageState::Done;
    }
}

void HostageTask::takeHostage(bool hostageArmed) {
    const Ped player = playerPed();
    natives::task::clearTasks(ped_, false, false);
    natives::ped::setBlackboardBool(ped_, "Handsup", true, -1);
    natives::task::lookAtEntity(ped_, player.entity(), -1, -1, 2048, 3);
    natives::task::turnToFaceEntity(ped_, player.entity(), -1, 0.0f, 0.0f, 0.0f);
    playSpeech(ped_, hostageArmed ? anyOf(armedSubmits) : anyOf(unarmedSubmits));
    natives::ped::blockNonTemporaryEvents(ped_, true);
    lineTimer_ = gameClockSeconds();
    triggerTutorial("hostage.shove", false);
    setHostageMark(ped_, true);
    natives::decorator::setInt(ped_.entity(), hostageEnabledDecorator, 0);
}

void HostageTask::release(Reaction reaction) {
    natives::ped::blockNonTemporaryEvents(ped_, false);
    natives::ped::setBlackboardBool(ped_, "Handsup", false, 0);
    setHostageMark(ped_, false);
    const Ped player = playerPed();
    switch (reaction) {
    case Reaction::Flee:
        natives::task::clearTasks(ped_, true, true);
        natives::task::fleePed(ped_, player, 3, 0, -999.0f, -1, 0);
        break;
    case Reaction::Fight:
        natives::task::clearTasks(ped_, true, true);
        natives::combat::fightTarget(ped_, player, 0, 16);
        break;
    case Reaction::None:
        break;
    }
}

void HostageTask::shove() {
    const Ped player = playerPed();
    natives::task::lookAtEntity(ped_, player.entity(), -1, -1, 2048, 3);
    const Vector3 from = positionOf(player);
    const Vector3 away = awayFromPlayer(from, positionOf(ped_));
    const Vector3 goal(from.x + away.x * 3.5f, from.y + away.y * 3.5f, from.z + away.z * 3.5f);
    const Vector3 offset = inPlayersFrame(player, scaled(away, 4.5f));
    const Ped inSequence;
    TaskSequence sequence;
    natives::task::openSequence(&sequence);
    natives::task::goToPoint(inSequence, goal, 1.5f, -1, 0.5f, 0, 0.0f);
    natives::task::followEntity(inSequence, player.entity(), offset, 1.0f, 7000, 0.0f, true, 0, 1, 0, 0, 0);
    natives::task::closeSequence(sequence);
    natives::task::performSequence(ped_, sequence);
    natives::task::clearSequence(&sequence); // the ped keeps its copy
    scriptWait(2000);
}

} // namespace drovil
