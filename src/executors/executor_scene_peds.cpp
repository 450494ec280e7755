// The peds of a scene: registering the target, guards and companions with the
// honour, loot and weapon rules; building the scene once; releasing it.
#include "executors/base_contract_executor.h"

#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/host_api.h"
#include "runtime/main_loop.h"
#include "runtime/natives.h"
#include "runtime/settings.h"
#include "ui/text.h"

namespace drovil {
namespace {
constexpr Hash unarmed = 0xA2719263; // WEAPON_UNARMED
const char* const contractTarget = "KV_Drovil_isContractTarget";

// Configuration flags of the game's peds, used as the game defines them.
constexpr int flagSix = 6;
constexpr int flagGroupMember = 154;
constexpr int flagScenePed = 279;
} // namespace

void BaseContractExecutor::setLootMoney(Ped ped, int cents) {
    if (cents == 0)
        return;
    const float low = 1.0f - 0.2f;
    const float high = 1.0f + 0.2f;
    const float amount = static_cast<float>(cents);
    // 120% of a hand-edited amount may not fit an int: the bounds stay in range.
    auto bound = [](float value) {
        return value >= 2147483520.0f ? 2147483520 : (value <= -2147483520.0f ? -2147483520 : static_cast<int>(value));
    };
    int money = randomInt(bound(low * amount), bound(high * amount));
    if (money < 0)
        money = 0;
    natives::decorator::setInt(ped.entity(), "loot_money", money);
}

void BaseContractExecutor::applyHonourRules(Ped ped, bool companion) {
    const bool criminal = mission->isTargetACriminal;
    const bool debugTools = isDebugToolsOn();
    // Killing a criminal (or anyone while testing) costs no honour.
    if (criminal || debugTools || !getSettingBool("HonorEffects"))
        natives::decorator::setInt(ped.entity(), "honor_override", 0);
    if (criminal || debugTools)
        natives::ped::setConfigFlag(ped, flagSix, companion ? true : isOutsideTown());
}

void BaseContractExecutor::addTarget(Ped ped) {
    targetPed = ped;
    natives::appearance::setOutfitPreset(ped, mission->targetOutfitIndex, false);
    natives::decorator::setInt(ped.entity(), contractTarget, 1);
    natives::decorator::setInt(ped.entity(), "KV_HOSTAGE_enabled", 1);
    if (!relationshipGroup) {
        relationshipGroup = natives::group::create(0);
        natives::group::setFormation(relationshipGroup, 3);
    }
    natives::group::setLeader(ped, relationshipGroup, true);
    if (eagleEyeAllowed && getSettingBool("EagleEyeTracksForTarget")) {
        natives::player::trackWithEagleEye(playerIndex(), ped, true);
        natives::pedsetup::setEagleEyeTint(ped, 255, 255, 0);
    }
    setLootMoney(ped, mission->targetLootMoney);
    addGuard(ped);
}

void BaseContractExecutor::addGuard(Ped ped) {
    applyHonourRules(ped, false);
    scriptWait(10);
    if (isOutsideTown()) {
        natives::pedsetup::hideWeapons(ped, 2, true);
    } else {
        // Nobody carries a gun in a town scene: a shoot-out there would bring the law.
        Hash weapon = 0;
        natives::ped::currentWeapon(ped, &weapon, false, 0, false);
        if (weapon != unarmed)
            natives::pedsetup::removeWeapon(ped, weapon, true, getHashKey("REMOVE_REASON_DEFAULT"));
    }
    if (relationshipGroup && natives::decorator::getInt(ped.entity(), contractTarget) == 0) {
        natives::ped::setConfigFlag(ped, flagGroupMember, true);
        natives::group::setMember(ped, relationshipGroup);
        setLootMoney(ped, mission->guardsLootMoney);
        guards.push_back(ped);
    }
    natives::ped::setConfigFlag(ped, flagScenePed, true);
    spawnedEntities.push_back(ped.entity());
    scenePeds.push_back(ped);
}

void BaseContractExecutor::addCompanion(Ped ped) {
    applyHonourRules(ped, true);
    natives::ped::setConfigFlag(ped, flagGroupMember, true);
    natives::ped::setConfigFlag(ped, flagScenePed, true);
    natives::group::setMember(ped, relationshipGroup);
    setLootMoney(ped, mission->companionsLootMoney);
    companions.push_back(ped);
    spawnedEntities.push_back(ped.entity());
    scenePeds.push_back(ped);
}

void BaseContractExecutor::prepareMissionSet() {
    if (missionSetPrepared)
        return;
    executorLog("preparing mission set");
    // The scene's peds come a frame or more apart, each once its model has
    // loaded: room for a scene's worth is made here, in the frame that
    // announces it, rather than in theirs.
    constexpr std::size_t scenePedsRoom = 20;
    guards.reserve(scenePedsRoom);
    companions.reserve(scenePedsRoom);
    scenePeds.reserve(scenePedsRoom);
    spawnedEntities.reserve(3 * scenePedsRoom);
    createMissionSet();
    missionSetPrepared = true;
    executorLog("mission set prepared");
}

void BaseContractExecutor::cleanup() {
    removeBlip(areaBlip);
    // A hogtied target is left to the game as he lies; the office's marks go.
    stopDelivering();
    for (Entity entity : spawnedEntities) {
        Entity handle = entity;
        natives::pedsetup::releaseEntity(&handle);
    }
    // Released entities belong to the game now; a second clean-up must not
    // release them again.
    spawnedEntities.clear();
    removeBlip(targetBlip);
    // The scene's ped group goes with it: the game has only a few dozen.
    if (relationshipGroup) {
        natives::group::remove(static_cast<int>(relationshipGroup));
        relationshipGroup = 0;
    }
    missionSetPrepared = false;
    natives::control::enable(0, getHashKey("INPUT_CINEMATIC_CAM"), true);
}

} // namespace drovil
