#include "behaviour/guard_ai.h"

#include "behaviour/check_shocking_noise_task.h"
#include "behaviour/check_suspicious_event_task.h"
#include "behaviour/guard_perception.h"
#include "behaviour/guard_search.h"
#include "behaviour/speech.h"
#include "runtime/data_files.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"

namespace drovil {
namespace {
// The blip style of a guard that has spotted the player.
constexpr Hash hostileBlipStyle = 0x318C617C;
// The combat flags of a guard sent at its target.
constexpr int fightFlags = 16;
// A noise closer than this to the last point investigated is the same noise.
constexpr float sameNoiseDistance = 5.0f;
// Search spots around a discovered body.
constexpr int bodySearchSpots = 4;
constexpr const char* discoveredBodyDecorator = "KV_Drovil_discoveredBody";
} // namespace

GuardAI::GuardAI(Ped ped) : ped_(ped), lastPosition_(0.0f, 0.0f, 0.0f) {
    modeStart_ = gameTimer();
    natives::perception::setEventTracker(ped_, "SpDefaultStealth", 0);
}

GuardAI::~GuardAI() = default;

void GuardAI::removeBlip() {
    drovil::removeBlip(blip_);
}

bool GuardAI::isDead() const {
    // The camp asks before the guard's update, which asks again.
    return entityDead(ped_);
}

Vector3 GuardAI::position() const {
    return entityPosition(ped_.entity());
}

bool GuardAI::isAlive() const {
    return !isDead();
}

int GuardAI::timeInMode() const {
    return gameTimer() - modeStart_;
}

void GuardAI::setMode(GuardMode mode) {
    const GuardMode previous = mode_;
    mode_ = mode;
    modeStart_ = gameTimer();
    GuardModeChange change;
    change.ped = ped_.id;
    change.previousMode = static_cast<std::int32_t>(previous);
    change.newMode = static_cast<std::int32_t>(mode);
    publish(change);
}

void GuardAI::update() {
    if (!ped_)
        return;
    if (isDead() || mode_ == GuardMode::Combat)
        return;
    const Ped player = playerPed();
    if (pedFightingPlayer(ped_)) {
        // The game has put the guard in combat by itself (it was shot, say).
        setMode(GuardMode::Combat);
        return;
    }
    if (currentTask_)
        driveTask();

    const Hash event = natives::perception::newestEventType(ped_, 0, 0);
    const Hash whizzedBy = getHashKey("EVENT_SHOT_FIRED_WHIZZED_BY");
    const Hash shotFired = getHashKey("EVENT_SHOT_FIRED");
    const Hash deadBody = getHashKey("EVENT_SHOCKING_DEAD_BODY");

    if (guardCanSee(ped_, player.entity(), seeingRange_)) {
        onTargetSpotted(player);
    } else if (event == whizzedBy) {
        onShotFired(natives::perception::eventSource(ped_, whizzedBy, 0, 0));
    } else if (event == shotFired) {
        const Entity shooter = natives::perception::eventSource(ped_, shotFired, 0, 0);
        if (distanceBetween(positionOf(shooter), positionOf(ped_)) <= guardHearingRange())
            onShotFired(shooter);
    } else if (event == deadBody) {
        const Entity body = natives::perception::eventSource(ped_, deadBody, 0, 0);
        natives::ped::blockNonTemporaryEvents(ped_, true);
        if (natives::decorator::getInt(body, discoveredBodyDecorator) == 0 && guardCanSee(ped_, body, seeingRange_))
            onBodyDiscovered(body);
    } else {
        listenForPlayer(player);
    }
}

void GuardAI::listenForPlayer(Ped player) {
    const DictDataFile& ai = aiFile();
    const Vector3 playerPosition = positionOf(player);
    const float distance = distanceBetween(playerPosition, position());
    if (distance > static_cast<float>(ai.getInt("guard.safe_distance", -999)))
        return;
    // Every guard in earshot asks: the player's noise is read once between two yields.
    static PerYield<float> playerNoise;
    const float noise = playerNoise.get([] { return natives::perception::playerNoise(playerIndex()); });
    const float reach = ai.getFloat("guard.noise_distance_multiplier", -999.0f) * noise;
    if (reach < distance)
        return;
    // The guard hears no farther than its hearing range, however loud the
    // noise: a louder noise is heard at least wherever a softer one is.
    if (distance > guardHearingRange())
        return;
    investigate(playerPosition);
}

void GuardAI::onTargetSpotted(Ped target) {
    if (!natives::blip::entityHasBlip(ped_.entity()) && !entityDead(ped_))
        blip_ = natives::blip::onEntity(hostileBlipStyle, ped_.entity());
    natives::task::clearTasks(ped_, true, true);
    const Vector3 position = positionOf(ped_);
    natives::ped::blockNonTemporaryEvents(ped_, true);
    natives::task::panicExitScenario(ped_, position);
    natives::combat::fightTarget(ped_, target, 0, fightFlags);
    setMode(GuardMode::Combat);
}

void GuardAI::onAlerted() {
    natives::ped::blockNonTemporaryEvents(ped_, true);
    setMode(GuardMode::Searching);
}

void GuardAI::remember(Entity entity) {
    lastPosition_ = positionOf(entity);
    lastEntity_ = entity;
}

bool GuardAI::onNoiseAt(const Vector3& position) {
    if (!isWithinNoiseRange(ped_, position))
        return false;
    return investigate(position);
}

void GuardAI::onShotFired(Entity shooter) {
    // While searching, only a shooter that is still firing draws the guard again.
    if (mode_ == GuardMode::Searching && !natives::combat::isShooting(Ped(lastEntity_.id)))
        return;
    remember(shooter);
    checkNoise(positionOf(shooter));
    onAlerted();
}

bool GuardAI::investigate(const Vector3& position) {
    const bool far = distanceBetween(position, lastPosition_) > sameNoiseDistance;
    if (!far)
        return false;
    switch (mode_) {
    case GuardMode::Unaware:
        lastPosition_ = position;
        // A guard already running a sequence only becomes suspicious.
        if (natives::task::sequenceProgress(ped_) < 0)
            currentTask_ = &suspiciousTask_.emplace(ped_, position);
        else
            currentTask_ = nullptr;
        setMode(GuardMode::Suspicious);
        return true;
    case GuardMode::Suspicious:
        lastPosition_ = position;
        checkNoise(position);
        onAlerted();
        return true;
    case GuardMode::Searching:
        lastPosition_ = position;
        checkNoise(position);
        return true;
    case GuardMode::Combat:
        break;
    }
    return false;
}

void GuardAI::checkNoise(const Vector3& position) {
    currentTask_ = &noiseTask_.emplace(ped_, position);
}

void GuardAI::driveTask() {
    currentTask_->tick();
    if (currentTask_->isRunning())
        return;
    std::unique_ptr<AsyncPedTask> next(currentTask_->next());
    following_ = std::move(next);
    currentTask_ = following_.get();
}

void GuardAI::onBodyDiscovered(Entity body) {
    remember(body);
    natives::decorator::setInt(body, discoveredBodyDecorator, 1);
    if (mode_ != GuardMode::Searching)
        playSpeech(ped_, randomInt(0, 2) == 1 ? "WHOA_ESCALATED" : "GENERIC_SHOCKED_HIGH");
    searchAround(ped_, positionOf(body), bodySearchSpots);
    onAlerted();
}

} // namespace drovil
