// The executor's core: construction, the stage machine and its mission status,
// flags and hints, the log, and the per-frame update with its stage rules.
#include "executors/base_contract_executor.h"

#include "behaviour/tutorials.h"
#include "executors/alive_delivery.h"
#include "executors/contract_card_access.h"
#include "executors/hold_stopwatch.h"
#include "runtime/data_files.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "runtime/settings.h"
#include "ui/lang_text.h"
#include "ui/text.h"
#include "world/map_areas.h"
#include "world/mission_templates.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace drovil {
namespace {
// A missing GeneralMeta key reads as this; the rule that needs it then never fires.
constexpr float absentValue = -999.0f;
// The card key must be held this long before the card comes out.
constexpr int cardKeyHoldMs = 500;
// Within this distance of a target in the wild the player's dog may track it.
constexpr float dogTrackingDistance = 150.0f;

const char* const cardKeyControl = "INPUT_CINEMATIC_CAM";
} // namespace

BaseContractExecutor::BaseContractExecutor(MissionData* missionRecord) : mission(missionRecord) {
    const DictDataFile& meta = generalMetaFile();
    recognitionDistance = meta.getFloat("contract.auto_detect.distance_threshold", absentValue);
    aimingRecognitionDistance = meta.getFloat("contract.auto_detect.aiming_distance_threshold", absentValue);
    aimingRecognitionSeconds = meta.getFloat("contract.auto_detect.required_seconds", absentValue);
}

BaseContractExecutor::~BaseContractExecutor() = default;

// --- Stage and status ---

void BaseContractExecutor::setStage(ExecutorStage newStage) {
    if (newStage == stage)
        return;
    const ExecutorStage previous = stage;
    stage = newStage;
    executorLog("stage changed: " + std::to_string(stageNumber(previous)) + " -> " +
                std::to_string(stageNumber(newStage)));
    setStatus(missionStatusOfStage(newStage));
}

void BaseContractExecutor::setStatus(int newStatus) {
    const int previous = mission->status;
    if (newStatus == previous)
        return;
    // The record holds the new status before anyone hears of it: the engine
    // saves the record while it is being told.
    mission->status = newStatus;
    executorLog("status changed: " + std::to_string(previous) + " -> " + std::to_string(newStatus));
    MissionStatusChangeEvent event{previous, newStatus, mission->id};
    publish(&event);
}

bool BaseContractExecutor::hasEnded() const {
    return mission->status == MissionStatus::Completed || mission->status == MissionStatus::Failed;
}

// --- Flags, hints, log ---

int BaseContractExecutor::getMissionFlag(std::string_view name) const {
    auto found = missionFlags.find(name);
    return found == missionFlags.end() ? 0 : found->second;
}

void BaseContractExecutor::setMissionFlag(std::string_view name, int value) {
    const auto found = missionFlags.find(name);
    if (found != missionFlags.end() && found->second == value)
        return;
    // An absent flag reads 0: setting it to 0 changes nothing (asked every
    // frame of some stages, it must not make a node each time).
    if (found == missionFlags.end() && value == 0)
        return;
    if (getMissionFlag(name) != value)
        executorLog("mission flag update: " + std::string(name) + " = " + std::to_string(value));
    missionFlags.insert_or_assign(std::string(name), value);
}

void BaseContractExecutor::showHintOnce(std::string_view name) {
    // Asked every frame of some stages: the key is put together on the stack,
    // a string is made only the once the hint is shown.
    constexpr std::string_view prefix = "hints.";
    std::array<char, 128> buffer;
    if (prefix.size() + name.size() > buffer.size()) {
        log("ContractExecutor: hint name too long: " + std::string(name));
        return;
    }
    std::copy(prefix.begin(), prefix.end(), buffer.begin());
    std::copy(name.begin(), name.end(), buffer.begin() + static_cast<std::ptrdiff_t>(prefix.size()));
    const std::string_view key(buffer.data(), prefix.size() + name.size());
    if (!hintsEnabled() || getMissionFlag(key) != 0)
        return;
    const std::string shown(key);
    triggerTutorial(shown, false);
    setMissionFlag(shown, 1);
}

void BaseContractExecutor::executorLog(const std::string& message) const {
    log("ContractExecutor [" + std::to_string(mission->id) + "]: " + message);
}

const std::string& BaseContractExecutor::langText(const std::string& key) {
    return drovil::langText(key);
}

// --- Accessors ---

const MapArea* BaseContractExecutor::getArea() const {
    if (!mapAreasCreated())
        return nullptr;
    return mapAreas().findArea(static_cast<Hash>(mission->areaId));
}

bool BaseContractExecutor::isOutsideTown() const {
    for (const MissionSetting& setting : missionSettingTable())
        if (static_cast<int>(setting.id) == mission->settingId)
            return setting.outsideTown;
    return false;
}

Vector3 BaseContractExecutor::targetPosition() const {
    return entityPosition(targetPed.entity());
}

bool BaseContractExecutor::isPlayerWithin(float distance) {
    const Vector3 player = positionOf(playerPed());
    if (stage == ExecutorStage::Hunting || stage == ExecutorStage::Escaping || stage == ExecutorStage::Delivering)
        return distanceBetween(player, targetPosition()) <= distance;
    const float radius = distance <= 0.0f ? mission->blipRadius : distance;
    return distanceBetween(player, mission->blipCoords) <= radius;
}

// --- The frame ---

void BaseContractExecutor::update() {
    BusyScope busy(activeCalls_);
    if (frameSkip > 0) {
        --frameSkip;
        return;
    }
    switch (mission->status) {
    case MissionStatus::Blocked:
        runBlockedGate();
        return;
    case MissionStatus::Engaged:
        if (natives::player::isDead(playerIndex())) {
            executorLog("player has been killed");
            setStatus(MissionStatus::Failed);
            // The engine has ended the mission and cleaned the scene up: no
            // stage rule may run on it (one could take the status back to 1).
            return;
        }
        break;
    case MissionStatus::Open:
        break;
    default:
        return;
    }

    updateQuickCardKey();

    switch (stage) {
    case ExecutorStage::Approaching:
        updateApproaching();
        break;
    case ExecutorStage::Hunting:
        updateHunting();
        break;
    case ExecutorStage::Escaping:
        updateEscaping();
        break;
    case ExecutorStage::Delivering:
        updateDelivering();
        break;
    case ExecutorStage::Blocked:
    case ExecutorStage::Escaped:
    case ExecutorStage::HandedOver:
        break;
    }

    // A mission that ended in this frame has been cleaned up by the engine; the
    // setting's own rules have nothing left to act on.
    if (hasEnded())
        return;
    onUpdate();
}

void BaseContractExecutor::runBlockedGate() {
    const Vector3 player = positionOf(playerPed());
    if (distanceBetween(player, mission->blipCoords) <= 1.5f * mission->blipRadius &&
        getMissionFlag("blocked_tutorial") == 0) {
        triggerTutorial("blocked_contract", true);
        setMissionFlag("blocked_tutorial", 1);
    }
}

void BaseContractExecutor::updateQuickCardKey() {
    if (!getSettingBool("QuickContractCardAccess") || mission->status != MissionStatus::Engaged ||
        stage == ExecutorStage::Escaping)
        return;
    const Hash control = getHashKey(cardKeyControl);
    natives::control::disable(0, control, true);
    if (!natives::control::isDisabledPressed(0, control)) {
        setMissionFlag("open_card_key_pressed", 0);
        restartHoldStopwatch(control);
        return;
    }
    setMissionFlag("open_card_key_pressed", 1);
    if (holdStopwatchElapsedMs(control) < cardKeyHoldMs)
        return;
    ContractCardAccess* card = contractCardAccess();
    if (card && !card->isCardOpen())
        card->openCard(*mission);
}

void BaseContractExecutor::updateApproaching() {
    if (!areaBlip)
        createAreaBlip(-1.0f);
    if (isPlayerWithin(mission->spawnDistance)) {
        prepareMissionSet();
        if (failIfNoTarget())
            return;
    }
    const bool targetFoundDown = targetPed && natives::condition::entityExists(targetPed.entity()) &&
                                 entityDead(targetPed);
    if (isPlayerWithin(0.0f) || targetFoundDown) {
        onTrackingStarted();
        setStage(ExecutorStage::Hunting);
    }
    if (isOutsideTown() && targetPed && getMissionFlag("dog_companion_track_event") == 0 &&
        distanceBetween(positionOf(playerPed()), targetPosition()) < dogTrackingDistance)
        sendDogTrackingEvent();
}

void BaseContractExecutor::sendDogTrackingEvent() {
    // For other scripts (a companion dog's, say) that want to track the target:
    // none of the game's own scripts sends or handles this event. Two packed
    // values; the game copies the size in 8-byte slots, so the block is 2 * 8
    // bytes long with a zero tail.
    const int data[4] = {static_cast<int>(getHashKey("DOG_COMPANION_SET_TRACKABLE_TARGET")), targetPed.id};
    const int one = 1;
    natives::gameevent::send(1, data, 2, 2, &one);
    setMissionFlag("dog_companion_track_event", 1);
}

void BaseContractExecutor::updateHunting() {
    if (areaBlip)
        removeBlip(areaBlip);
    // Hunting before the scene was built (a spawn distance shorter than the
    // search area's radius): it is built now.
    if (!targetPed) {
        prepareMissionSet();
        if (failIfNoTarget())
            return;
    }
    if (!targetPed || !natives::condition::entityExists(targetPed.entity()))
        return;

    if (!tooFarWarned && !isPlayerWithin(0.66f * mission->missionAreaRadius)) {
        showSubtitle(langText("contract.target_too_far_warning"));
        tooFarWarned = true;
    } else if (isPlayerWithin(mission->blipRadius)) {
        tooFarWarned = false;
    }

    if (!isPlayerWithin(mission->missionAreaRadius)) {
        executorLog("mission area abandoned / target lost");
        setStatus(MissionStatus::Failed);
        onTargetLost();
        return;
    }

    if (getSettingBool("TargetRecognition"))
        updateTargetRecognition();
    if (!entityDead(targetPed)) {
        if (deadOrAlive())
            updateLiveTarget();
        return;
    }
    if (natives::condition::pedConfigFlag(targetPed, 11, true)) {
        // Only knocked out: the contract wants the target dead. Explain it once per target.
        if (natives::decorator::getInt(targetPed.entity(), "KV_Drovil_knockedOutTutorial") == 0) {
            triggerTutorial("target_knocked_out", true);
            natives::decorator::setInt(targetPed.entity(), "KV_Drovil_knockedOutTutorial", 1);
        }
        return;
    }
    onTargetDown();
    setStage(ExecutorStage::Escaping);
}

bool BaseContractExecutor::failIfNoTarget() {
    if (!missionSetPrepared || targetPed || targetStillToCome())
        return false;
    // A scene without its target (a propset or a model the game would not
    // create) can be neither completed nor lost by the distance rule, and would
    // hold its area's slot for ever: the contract fails at once, and says why.
    executorLog("the scene has no target, the contract cannot be played and fails");
    setStatus(MissionStatus::Failed);
    onTargetLost();
    return true;
}

// --- Default hooks ---

void BaseContractExecutor::onUpdate() {}

void BaseContractExecutor::onTrackingStarted() {
    triggerTutorial("contract_info", false);
    showSubtitle(langText("contract.track_target"));
}

void BaseContractExecutor::onTargetLost() {
    showSubtitle(langText("contract.target_lost"));
}

} // namespace drovil
