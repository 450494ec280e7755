// Recognising the target: seen up close for long enough, or aimed at; then
// marked on the map.
#include "executors/base_contract_executor.h"

#include "behaviour/tutorials.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"

#include <algorithm>

namespace drovil {
namespace {
constexpr Hash targetBlipStyle = 0x318C617C;
constexpr float targetBlipScale = 0.3f;
const char* const seenByPlayer = "KV_Drovil_seenByPlayer";
} // namespace

void BaseContractExecutor::updateTargetRecognition() {
    if (targetBlip)
        return;
    const Ped player = playerPed();
    const Entity target = targetPed.entity();
    const float d = distanceBetween(targetPosition(), positionOf(player));

    // Once the player has had the target in view up close, the ped remembers it.
    // The mark is read once: after setting it, it is known to be there.
    bool seen = false;
    bool seenRead = false;
    if (d <= aimingRecognitionDistance) {
        seen = natives::decorator::getInt(target, seenByPlayer) != 0;
        seenRead = true;
        if (!seen && natives::condition::lineOfSight(player, target, 0, 0) == 1) {
            natives::decorator::setInt(target, seenByPlayer, 1);
            seen = true;
        }
    }

    const bool aiming = natives::player::isFreeAimingAt(playerIndex(), target);
    if (!seenRead)
        seen = natives::decorator::getInt(target, seenByPlayer) != 0;
    const bool recognising = (d <= recognitionDistance && seen) || (aiming && d <= aimingRecognitionDistance);
    if (!recognising) {
        recognitionTimerRunning = false;
        return;
    }
    if (!recognitionTimerRunning) {
        recognitionTimerRunning = true;
        natives::timer::setScriptTimer(0);
    }
    // Looking takes longer the farther the target stands; a gun sight is quicker.
    const double requiredSeconds =
        aiming ? static_cast<double>(aimingRecognitionSeconds) : std::max(1.5 * static_cast<double>(d), 3.0);
    if (natives::timer::scriptTimer() >= requiredSeconds * 1000.0)
        onTargetRecognized();
}

void BaseContractExecutor::onTargetRecognized() {
    const std::string& name = langText("blips.contact_target");
    natives::pedsetup::setPromptName(targetPed, name.c_str());
    targetBlip = natives::blip::onEntity(targetBlipStyle, targetPed.entity());
    natives::blip::setSprite(targetBlip, getHashKey("blip_region_hunting"), false);
    natives::blip::setScale(targetBlip, targetBlipScale);
    natives::blip::setName(targetBlip, natives::hud::literalString(10, "LITERAL_STRING", name.c_str()));
    recognitionTimerRunning = false;
    executorLog("contract target detected");
    if (deadOrAlive())
        triggerTutorial("target_recognized.dead_or_alive", false);
    else
        triggerTutorial("target_recognized", false);
}

} // namespace drovil
