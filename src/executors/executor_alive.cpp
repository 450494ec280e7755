// Dead or alive: a living target that is knocked out or lassoed may be
// hogtied; hogtied, he is to be carried to the sheriff of the contract's area,
// who takes him in. On the way he is still a man: he may break free (the
// hunt is on again), die (the contract goes on as for a dead target), and his
// gang comes to cut him loose.
#include "executors/base_contract_executor.h"

#include "behaviour/hostages.h"
#include "behaviour/tutorials.h"
#include "executors/alive_delivery.h"
#include "runtime/data_files.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"
#include "world/alive_bounty.h"

#include <algorithm>

namespace drovil {
namespace {
constexpr int knockedOutFlag = 11;
const char* const knockedOutTutorialMark = "KV_Drovil_knockedOutTutorial";
// After the hogtie the witnesses of it are kept from the law this long: they
// take a moment to run and tell.
constexpr int hushWitnessesMs = 5000;
} // namespace

bool BaseContractExecutor::deadOrAlive() const {
    return aliveBountiesOn();
}

void BaseContractExecutor::updateLiveTarget() {
    if (pedHogtied(targetPed)) {
        startDelivering();
        return;
    }
    const bool lassoed = natives::ped::isLassoed(targetPed);
    // Catching and tying up a wanted man is no crime: nobody who sees it goes
    // to the law.
    if (lassoed || natives::ped::isBeingHogtied(targetPed))
        natives::player::suppressWitnessesThisFrame(playerIndex());
    if (!lassoed && !natives::condition::pedConfigFlag(targetPed, knockedOutFlag, true))
        return;
    // Down alive: he may be finished or hogtied. Explained once per target.
    if (hintsEnabled() && natives::decorator::getInt(targetPed.entity(), knockedOutTutorialMark) == 0) {
        triggerTutorial("target_knocked_out.dead_or_alive", true);
        natives::decorator::setInt(targetPed.entity(), knockedOutTutorialMark, 1);
    }
}

void BaseContractExecutor::startDelivering() {
    if (!delivery_)
        delivery_ = std::make_unique<AliveDelivery>(*this);
    if (!delivery_->begin())
        return; // no office to take him to: he may still be brought down dead
    removeBlip(areaBlip);
    hogtiedAtMs_ = gameTimerMs();
    rescuers_.clear();
    cutter_ = Ped();
    natives::player::suppressWitnessesThisFrame(playerIndex());
    executorLog("target hogtied: to be handed to the sheriff");
    showSubtitle(langText("contract.alive.deliver"));
    setStage(ExecutorStage::Delivering);
}

void BaseContractExecutor::stopDelivering() {
    if (delivery_)
        delivery_->end();
    rescuers_.clear();
    cutter_ = Ped();
}

void BaseContractExecutor::updateDelivering() {
    if (!targetPed || !natives::condition::entityExists(targetPed.entity()))
        return;
    if (entityDead(targetPed)) {
        // Died on the way: what is left is a dead target's contract.
        executorLog("the hogtied target died");
        stopDelivering();
        onTargetDown();
        setStage(ExecutorStage::Escaping);
        return;
    }
    if (!pedHogtied(targetPed)) {
        executorLog("the target is no longer hogtied");
        stopDelivering();
        showSubtitle(langText("contract.alive.broke_free"));
        setStage(ExecutorStage::Hunting);
        return;
    }
    if (gameTimerMs() - hogtiedAtMs_ < hushWitnessesMs)
        natives::player::suppressWitnessesThisFrame(playerIndex());

    if (!tooFarWarned && !isPlayerWithin(0.66f * mission->missionAreaRadius)) {
        showSubtitle(langText("contract.target_too_far_warning"));
        tooFarWarned = true;
    } else if (isPlayerWithin(mission->blipRadius)) {
        tooFarWarned = false;
    }
    // Measured from wherever he lies now, not from the scene.
    if (!isPlayerWithin(mission->missionAreaRadius)) {
        executorLog("mission area abandoned / target lost");
        stopDelivering();
        setStatus(MissionStatus::Failed);
        onTargetLost();
        return;
    }

    sendGangToFreeTarget();
    if (!delivery_->update(targetPed))
        return;
    // Inside the office: gone for good, and the bounty is paid with its bonus.
    Entity taken = targetPed.entity();
    std::erase(spawnedEntities, taken);
    std::erase(scenePeds, targetPed);
    natives::entity::deleteEntity(&taken);
    targetPed = Ped();
    stopDelivering();
    mission->broughtInAlive = true;
    executorLog("target brought in alive: bounty " + std::to_string(mission->bounty) + " and bonus " +
                std::to_string(std::max(mission->bonusesReward, 0)));
    setStage(ExecutorStage::HandedOver);
}

void BaseContractExecutor::sendGangToFreeTarget() {
    const float reach = generalMetaFile().getFloat("contract.alive.rescue_distance", -999.0f);
    if (guards.empty() || reach <= 0.0f)
        return;
    const Vector3 target = targetPosition();
    auto fit = [](Ped guard) {
        return natives::condition::entityExists(guard.entity()) && !entityDead(guard) &&
               !pedHogtied(guard) && !isHostage(guard);
    };
    if (cutter_ && !fit(cutter_))
        cutter_ = Ped();
    for (const Ped guard : guards) {
        if (std::find(rescuers_.begin(), rescuers_.end(), guard) != rescuers_.end() || !fit(guard) ||
            distanceBetween(positionOf(guard), target) > reach)
            continue;
        rescuers_.push_back(guard);
        if (!pedFightingPlayer(guard))
            natives::combat::fightTarget(guard, playerPed(), 0, 16);
    }
    if (cutter_)
        return;
    // The one of them nearest to him goes to cut him loose; the others fight.
    float best = reach;
    for (const Ped rescuer : rescuers_) {
        if (!fit(rescuer))
            continue;
        const float d = distanceBetween(positionOf(rescuer), target);
        if (d <= best) {
            best = d;
            cutter_ = rescuer;
        }
    }
    if (cutter_) {
        natives::task::cutFreeHogtied(cutter_, targetPed);
        executorLog("one of the target's men goes to cut him loose");
    }
}

void BaseContractExecutor::forfeitAliveBonus() {
    if (mission->bonusesReward <= 0)
        return;
    executorLog("the target was not brought in alive: no alive bonus of " + std::to_string(mission->bonusesReward));
    mission->bonusesReward = 0;
}

} // namespace drovil
