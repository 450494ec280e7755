// The executor's blips: the search area and the blocked marker.
#include "executors/base_contract_executor.h"

#include "runtime/data_files.h"
#include "runtime/game.h"
#include "runtime/natives.h"

namespace drovil {
namespace {
constexpr Hash areaBlipStyle = 0xB04092F8;
constexpr Hash areaBlipSprite = 0x1DCFAA8C;
constexpr Hash blockedBlipModifier = 0x2B30E11F;
} // namespace

void BaseContractExecutor::createAreaBlip(float radius) {
    if (areaBlip)
        return;
    if (radius < 0.0f)
        radius = mission->blipRadius;
    areaBlip = natives::blip::radius(areaBlipStyle, mission->blipCoords, radius);
    natives::blip::setSprite(areaBlip, areaBlipSprite, false);
    const char* name =
        natives::hud::literalString(10, "LITERAL_STRING", langText("blips.contact_target").c_str());
    natives::blip::setName(areaBlip, name);
    executorLog("area blip created");
}

void BaseContractExecutor::block(bool silent) {
    BusyScope busy(activeCalls_);
    if (mission->status == MissionStatus::Blocked)
        return;
    executorLog("mission blocked");
    removeBlip(areaBlip);
    if (!silent) {
        // A dot without an area, marked as blocked, tells the player where the
        // contract waits.
        createAreaBlip(0.0f);
        natives::blip::addModifier(areaBlip, blockedBlipModifier);
    }
    setStage(ExecutorStage::Blocked);
}

void BaseContractExecutor::unblock() {
    BusyScope busy(activeCalls_);
    if (mission->status != MissionStatus::Blocked)
        return;
    executorLog("mission unblocked");
    // The next update draws the normal search area again.
    removeBlip(areaBlip);
    setStage(ExecutorStage::Approaching);
    // A record that came blocked into an executor still approaching has no
    // stage change to reopen it: the status is set on its own, or the mission
    // would stay blocked for ever.
    if (mission->status == MissionStatus::Blocked)
        setStatus(MissionStatus::Open);
}

} // namespace drovil
