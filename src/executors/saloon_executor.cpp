#include "executors/saloon_executor.h"

#include "behaviour/tutorials.h"
#include "runtime/debug_tools.h"
#include "behaviour/hostages.h"
#include "behaviour/script_task.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/host_api.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"
#include "world/payments_service.h"
#include "world/spawn.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace drovil {
namespace {
constexpr Hash debugBlipStyle = 0xB04092F8;
// With the debug tools off a face is made out inside only from this close.
constexpr float insideRecognitionDistance = 5.0f;
// The target leaves the saloon once this much of the saloon's clock has passed.
constexpr int leavesAfterMs = 180001;
// A girl this close to the target can lure him; the player pays her from this close.
constexpr float girlReach = 15.0f;
constexpr float payingReach = 6.0f;
constexpr int lurePriceCents = 500;
// Where she takes him: this far from him, away from the road.
constexpr float quietSpotDistance = 25.0f;
// A saloon never holds more guards than this, whatever a mission file says.
constexpr int maxGuards = 8;

constexpr const char* stepDecorator = "KV_Drovil_prostituteInteractionStep";
constexpr const char* lureFlag = "prostitute_lure";

constexpr std::array<const char*, 8> girlModelNames = {
    "A_F_M_VALPROSTITUTE_01", "A_F_M_VHTPROSTITUTE_01", "A_F_M_NBXWHORE_01",     "CS_VALPROSTITUTE_02",
    "CS_VALPROSTITUTE_01",    "CS_ODPROSTITUTE",        "A_F_M_SDFANCYWHORE_01", "A_F_M_RHDPROSTITUTE_01",
};

bool isNight(int hour) { return hour < 6 || hour > 20; }

void nameBlip(Blip blip, const char* name) {
    natives::blip::setName(blip, natives::hud::literalString(10, "LITERAL_STRING", name));
}
} // namespace

SaloonExecutor::SaloonExecutor(MissionData* mission) : BaseContractExecutor(mission) {
    if (!isDebugToolsOn())
        recognitionDistance = insideRecognitionDistance;
    lurePrompt.reset(createPrompt(langText("prompts.saloon.prostitute_lure"), "INPUT_CONTEXT_X", PromptType::Press));
    lurePrompt->setOption(3);
    lurePrompt->setVisible(false);
    setMissionFlag("prostitute_interaction_step", 0);
}

void SaloonExecutor::createMissionSet() {
    const Vector3& coords = mission->coords;
    addTarget(spawnPed(mission->targetModel, pointAround(coords, 3.0f, false)));
    executorLog("target created. distance from origin coords: " +
                floatText(distanceBetween(coords, positionOf(targetPed))));

    const int guardsCount = std::clamp(mission->guardsCount, 0, maxGuards);
    for (int guard = 0; guard < guardsCount; ++guard) {
        addGuard(spawnPed(mission->guardModel, pointAround(coords, 4.0f, false)));
        scriptWait(20);
    }

    const bool night = isNight(natives::environment::clockHour());
    const float level =
        std::clamp((night ? 1.5f : 0.5f) * (mission->isTargetACriminal ? 0.5f : 0.2f), 0.0f, 1.0f);
    for (Ped ped : scenePeds) {
        if (natives::ped::isMale(ped) && night && randomInt(0, 2) != 0)
            natives::ped::setDrunkenness(ped, true, 1.0f);
        const Vector3 around = pointAround(positionOf(ped), static_cast<float>(randomInt(3, 6)), false);
        natives::task::useNearestScenarioToCoord(ped, around, 10.0f, 15000, 0, 0, 1, 0);
        natives::ped::setDrunkenness(ped, true, level);
    }
    if (isDebugToolsOn())
        debugBlip = natives::blip::onEntity(debugBlipStyle, targetPed.entity());
    scriptWait(1000);
}

void SaloonExecutor::onTrackingStarted() {
    BaseContractExecutor::onTrackingStarted();
    natives::timer::setSecondTimer(0);
}

void SaloonExecutor::cleanup() {
    BaseContractExecutor::cleanup();
    // A lure that outlives its contract would keep steering two of the game's
    // peds; the prompt would stay defined in the game.
    lureTask.reset();
    if (lurePrompt)
        lurePrompt->destroy();
    removeBlip(debugBlip);
    removeBlip(roadBlip);
    removeBlip(lureBlip);
}

bool SaloonExecutor::targetIsTaken() const {
    return entityDead(targetPed) || pedFightingPlayer(targetPed) || pedHogtied(targetPed) ||
           pedFleeing(targetPed);
}

bool SaloonExecutor::targetIsHostage() const {
    return isHostage(targetPed);
}

void SaloonExecutor::onUpdate() {
    if (mission->status != MissionStatus::Engaged || !targetPed)
        return;
    if (lureTask) {
        lureTask->tick();
        if (!lureTask->isRunning())
            lureTask.reset();
    }
    if (saloonState != Drinking)
        return;
    if (natives::timer::secondTimer() >= leavesAfterMs && getMissionFlag(lureFlag) == 0) {
        leaveSaloon();
        return;
    }
    // Read once for both: the drinking and the lure leave a taken target alone.
    const bool taken = targetIsTaken();
    const bool hostage = !taken && targetIsHostage();
    keepDrinking(taken, hostage);
    checkLure(taken || hostage);
}

void SaloonExecutor::leaveSaloon() {
    for (Ped ped : scenePeds)
        natives::task::clearTasks(ped, true, true);
    natives::task::wanderStreets(targetPed, 10.0f, 10);
    saloonState = Left;
    // The lure check stops here: an offer shown now would stay on the girl,
    // enabled and doing nothing when pressed.
    lurePrompt->setVisible(false);
    executorLog("target is leaving the saloon");
}

void SaloonExecutor::keepDrinking(bool targetTaken, bool targetHostage) {
    if (targetTaken)
        return;
    const bool targetStays = targetHostage || getMissionFlag(lureFlag) != 0;
    for (Ped ped : scenePeds) {
        if (ped == targetPed && targetStays)
            continue;
        // A dead guard has no seat to go back to.
        if (ped != targetPed && entityDead(ped))
            continue;
        // On the way to a seat or sitting there: left to his drink.
        if (busyWithTask(ped, nearestScenarioTask()))
            continue;
        const Vector3 around = pointAround(entityPosition(ped.entity()), static_cast<float>(randomInt(5, 13)), false);
        natives::task::useNearestScenarioToCoord(ped, around, 10.0f, randomInt(30000, 40000), 0, 0, 1, 0);
    }
}

bool SaloonExecutor::isWorkingGirl(Ped ped) {
    if (!girlModelsKnown) {
        for (std::size_t i = 0; i < girlModelNames.size(); ++i)
            girlModels[i] = getHashKey(girlModelNames[i]);
        girlModelsKnown = true;
    }
    const Hash model = natives::entity::model(ped.entity());
    return std::find(girlModels.begin(), girlModels.end(), model) != girlModels.end();
}

void SaloonExecutor::checkLure(bool targetUnavailable) {
    if (lureTask || targetUnavailable || getMissionFlag(lureFlag) != 0 || playerWanted() ||
        !hasTargetBlip()) {
        lurePrompt->setVisible(false);
        return;
    }
    const Ped girl(playerTargetEntity().id);
    if (!girl) {
        lurePrompt->setVisible(false);
        return;
    }
    int step = natives::decorator::getInt(girl.entity(), stepDecorator);
    if (pedHogtied(girl) || pedFleeing(girl) || entityDead(girl)) {
        natives::decorator::setInt(girl.entity(), stepDecorator, -1);
        step = -1;
    }
    if (step == 0) {
        lurePrompt->setVisible(false);
        if (distanceBetween(entityPosition(girl.entity()), entityPosition(targetPed.entity())) <= girlReach &&
            isWorkingGirl(girl)) {
            // Once per executor: the hint's own flag keeps it shown once per contract.
            if (!lureHinted) {
                showHintOnce("saloon.prostitute_lure");
                lureHinted = true;
            }
            if (natives::ped::respondingToPositiveInteraction(girl, playerIndex()))
                natives::decorator::setInt(girl.entity(), stepDecorator, 1);
        }
    } else if (step == 1) {
        if (natives::ped::respondingToNegativeInteraction(girl, playerIndex())) {
            natives::decorator::setInt(girl.entity(), stepDecorator, 0);
            lurePrompt->setVisible(false);
            executorLog("prostitute interaction cancelled - player antagonized");
            return;
        }
        offerLure(girl);
    } else {
        lurePrompt->setVisible(false);
    }
}

void SaloonExecutor::offerLure(Ped girl) {
    if (lurePrompt->tag() != girl.entity())
        tooFarShown = false;
    lurePrompt->attachToEntity(girl.entity());
    lurePrompt->setVisible(true);
    const bool tooFar = distanceBetween(playerPosition(), entityPosition(girl.entity())) > payingReach;
    if (natives::player::cashCents() < lurePriceCents) {
        lurePrompt->setEnabled(false);
    } else if (tooFar) {
        lurePrompt->setEnabled(false);
        // Once each time the player steps away from her: asked every frame, an
        // unforced tutorial already seen would come back again and again.
        if (!tooFarShown) {
            triggerTutorial("prostitute.too_far", false);
            tooFarShown = true;
        }
    } else {
        lurePrompt->setEnabled(true);
    }
    if (!tooFar)
        tooFarShown = false;
    if (!lurePrompt->isActivated())
        return;
    lurePrompt->setEnabled(false);
    natives::decorator::setInt(girl.entity(), stepDecorator, -1);
    setMissionFlag(lureFlag, 1);
    giveCash(isDebugToolsOn() ? -0.5f : -5.0f, true);
    startLure(girl);
    saloonState = Lured;
    // Bought once per contract: the lure check stops here, so the offer would
    // otherwise stay on her, greyed out, for the rest of the contract.
    lurePrompt->setVisible(false);
}

void SaloonExecutor::startLure(Ped girl) {
    const Vector3 target = positionOf(targetPed);
    Vector3 spot = pointAround(target, static_cast<float>(randomInt(3, 8)), false);
    Vector3 road;
    float heading = 0.0f;
    if (natives::path::nearestRoadNode(target, &road, &heading, 1, 3.0f, 0)) {
        const float dx = road.x - target.x, dy = road.y - target.y, dz = road.z - target.z;
        const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
        // A target standing on the road node itself has no side away from it.
        if (length > 0.001f) {
            const Vector3 away(target.x - quietSpotDistance * dx / length, target.y - quietSpotDistance * dy / length,
                               target.z - quietSpotDistance * dz / length);
            spot = pointAround(away, static_cast<float>(randomInt(0, 4)), false);
        }
        if (isDebugToolsOn()) {
            removeBlip(roadBlip);
            removeBlip(lureBlip);
            roadBlip = natives::blip::atCoords(debugBlipStyle, road);
            nameBlip(roadBlip, "road");
            lureBlip = natives::blip::atCoords(debugBlipStyle, spot);
            nameBlip(lureBlip, "lureLocation");
        }
    }
    const bool accepts = natives::ped::drunkenness(targetPed) > randomFloat01();
    lureTask = std::make_unique<ProstituteLureTask>(girl, targetPed, spot, accepts, true);
}

} // namespace drovil
