#include "scenarios/contract_play.h"

#include "scenarios/alive_play.h"

#include "runtime/number_text.h"
#include "runtime/settings_format.h"

#include "world/wildlife/animals.h"
#include "world/law/combat.h"
#include "world/core/geometry.h"
#include "world/places/station_clerks.h"
#include "world/core/world.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <cstdlib>
#include <limits>

namespace sim {
namespace {

constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;

bool logHas(ScenarioRun& run, const std::string& text) {
    return run.game().logContains(text);
}

bool targetRecognised(ScenarioRun& run, int id) {
    return logHas(run, "ContractExecutor [" + std::to_string(id) + "]: contract target detected");
}

int currentMissionId(ScenarioRun& run, const StartingTown& town) {
    return intValue(run.readKeyValues("Savegame.dat"), "missions." + std::to_string(town.areaId()), -1);
}

// Creeping up at night: how near the player lets anyone of the camp come, and
// from how far he watches the target (close enough to make the face out).
constexpr float stealthKeepAway = 10.0f;
constexpr float stealthWatchDistance = 16.0f;

// The person of the camp (target or guard) nearest to the player.
const EntityRecord* nearestOfCamp(ScenarioRun& run, const drovil::Vector3& camp) {
    const int me = run.world().player.pedId;
    const EntityRecord* nearest = nullptr;
    float best = 0.0f;
    for (const auto& [id, record] : run.world().entities.all()) {
        if (id == me || !record.alive || record.kind != EntityKind::Ped || isAnimalModel(record.model) ||
            flatDistance(record.position, camp) > 60.0f)
            continue;
        const float d = run.player().distanceTo(record.position);
        if (!nearest || d < best) {
            nearest = &record;
            best = d;
        }
    }
    return nearest;
}

// Why the horse did not come when whistled for.
std::string horseTrouble(ScenarioRun& run) {
    const EntityRecord* horse = run.world().entities.find(run.player().ownHorse());
    if (!horse)
        return "the horse did not come";
    if (!horse->alive || horse->knockedOut)
        return "the horse did not come: it is down";
    return "the horse did not come: it stands " + std::to_string(static_cast<int>(run.player().distanceTo(horse->position))) +
           " m away";
}

} // namespace

int valentineAreaId() {
    return valentine().areaId();
}

const char* settingName(int settingId) {
    static const char* const names[] = {"camp",   "wagon",         "hotel",  "house",
                                        "hunter camp", "saloon", "train station", "street",
                                        "prisoner transport"};
    return settingId >= 0 && settingId < 9 ? names[settingId] : "unknown";
}

std::string contractKind(const ContractInPlay& contract) {
    std::string kind = settingName(contract.settingId);
    if (contract.settingId == 6)
        kind += contract.variant == 1 ? " by coach" : " by train";
    return kind;
}

ContractInPlay readContract(const ScenarioRun& run, int id) {
    ContractInPlay contract;
    contract.id = id;
    if (id < 0)
        return contract;
    const auto values = run.readKeyValues("Missions/" + std::to_string(id) + ".dat");
    if (values.empty())
        return contract;
    contract.settingId = intValue(values, "settingId", -1);
    contract.areaId = intValue(values, "areaId", 0);
    contract.status = intValue(values, "status", -1);
    contract.bounty = intValue(values, "bounty", 0);
    contract.bonusesReward = intValue(values, "bonusesReward", 0);
    contract.guardsCount = intValue(values, "guardsCount", 0);
    contract.variant = intValue(values, "variant", 0);
    contract.coords = positionValue(values, "coords");
    contract.blipCoords = positionValue(values, "blipCoords");
    contract.blipRadius = floatValue(values, "blipRadius", 0.0f);
    contract.missionAreaRadius = floatValue(values, "missionAreaRadius", 0.0f);
    return contract;
}

ContractInPlay contractInArea(const ScenarioRun& run, int areaId) {
    const int id = intValue(run.readKeyValues("Savegame.dat"), "missions." + std::to_string(areaId), -1);
    return readContract(run, id);
}

bool takeQuestOffer(ScenarioRun& run, ContractInPlay& taken) {
    return takeQuestOfferIn(run, run.town(), taken, 30 * minute);
}

bool takeQuestOfferIn(ScenarioRun& run, const StartingTown& town, ContractInPlay& taken, std::uint32_t waitForOfferMs) {
    PlayerController& player = run.player();
    player.holster();
    run.note("walks to " + town.name + "'s main street, unarmed, looking for work");
    if (!run.travelTo(town.mainStreet, Gait::Walk, 4.0f, 3 * minute))
        return run.giveUp("could not reach the main street");
    const std::string accept = run.lang("prompts.quest_giver.accept");
    int giver = 0;
    const bool offered = run.waitUntil(
        [&] {
            for (const PromptRecord* prompt : run.world().prompts.visible())
                if (prompt->text == accept && prompt->groupEntity != 0) {
                    giver = prompt->groupEntity;
                    return true;
                }
            return false;
        },
        waitForOfferMs);
    if (!offered)
        return run.giveUp("no passer-by offered a contract");
    run.note("a passer-by calls out: walks up to him");
    if (!run.travelToEntity(giver, Gait::Walk, 2.0f, minute))
        return run.giveUp("the quest giver walked off");
    run.note("takes the contract");
    if (!run.pressPrompt(accept, 10 * second))
        return run.giveUp("the accept prompt never became usable");
    // The handover plays, then the engine opens the contract and the card.
    if (!run.waitUntil([&] { return currentMissionId(run, town) >= 0; }, minute))
        return run.giveUp("no contract was opened after the handover");
    if (!run.readCard(30 * second))
        return run.giveUp("the contract card never came up");
    taken = readContract(run, currentMissionId(run, town));
    run.note(std::string("the contract: a ") + settingName(taken.settingId) + ", bounty $" +
             std::to_string(taken.bounty) + ", " + std::to_string(static_cast<int>(player.distanceTo(taken.blipCoords))) +
             " m away");
    return taken.settingId >= 0;
}

bool approachCamp(ScenarioRun& run, const ContractInPlay& contract, CampApproach approach) {
    PlayerController& player = run.player();
    const drovil::Vector3 camp = contract.coords;
    // Stay out of the guards' sight on the horse, then go on foot.
    const float dismountAt = approach == CampApproach::Loud ? 0.0f : 150.0f;
    const drovil::Vector3 start = player.position();
    if (approach == CampApproach::Loud) {
        run.note("rides hard for the camp, gun out");
        player.drawGun();
        if (!run.rideTo(pointTowards(camp, start, 40.0f), 3.0f, 10 * minute))
            return run.giveUp("did not reach the camp");
    } else {
        run.note("rides towards the search area");
        if (!run.rideTo(pointTowards(camp, start, dismountAt), 4.0f, 10 * minute))
            return run.giveUp("did not reach the search area");
        player.dismount();
        player.crouch(true);
        run.note("gets off the horse and creeps closer, crouched");
    }

    const int id = contract.id;
    if (!run.waitUntil([&] { return run.contractTarget() != 0; }, 20 * second))
        return run.giveUp("no target in the camp");
    const int target = run.contractTarget();
    switch (approach) {
    case CampApproach::Careful: {
        if (!run.travelToEntity(target, Gait::Creep, 50.0f, 5 * minute))
            return run.giveUp("could not get within range of the target");
        run.note("aims at the target to make sure it is the man on the card");
        player.drawGun();
        player.aimAt(target);
        if (!run.waitUntil([&] { return targetRecognised(run, id) || run.playerDown(); }, 20 * second))
            return run.giveUp("the target was never recognised");
        return !run.playerDown();
    }
    case CampApproach::Stealthy: {
        // Crouched in the dark: close enough to make the target out, then keep
        // still, edging away whenever one of the camp strolls too near.
        const bool over = run.waitUntil(
            [&] {
                if (targetRecognised(run, id) || anyoneFightingPlayer(run) || run.playerDown())
                    return true;
                const EntityRecord* aimed = run.world().entities.find(target);
                if (!aimed)
                    return true;
                const EntityRecord* nearest = nearestOfCamp(run, contract.coords);
                if (nearest && player.distanceTo(nearest->position) < stealthKeepAway)
                    player.goTo(pointTowards(player.position(), nearest->position, -4.0f), Gait::Creep, 0.5f);
                else if (player.distanceTo(aimed->position) > stealthWatchDistance)
                    player.goToEntity(target, Gait::Creep, stealthWatchDistance - 1.0f);
                return false;
            },
            6 * minute);
        player.stop();
        if (!over)
            return run.giveUp("could not make the target out");
        if (!targetRecognised(run, id)) {
            const EntityRecord* aimed = run.world().entities.find(target);
            float nearestFighter = 1e9f;
            for (const auto& [ped, record] : run.world().entities.all())
                if (record.combatOpponent == run.world().player.pedId)
                    nearestFighter = std::min(nearestFighter, player.distanceTo(record.position));
            return run.giveUp("the camp spotted the player " + std::to_string(static_cast<int>(nearestFighter)) +
                                 " m from the nearest guard and " +
                                 std::to_string(static_cast<int>(aimed ? player.distanceTo(aimed->position) : -1.0f)) +
                                 " m from the target, before the target was recognised");
        }
        run.note("recognises the target by the fire, unseen");
        return true;
    }
    case CampApproach::Loud: {
        player.goToEntity(target, Gait::Ride, 15.0f);
        player.aimAt(target);
        const bool recognised =
            run.waitUntil([&] { return targetRecognised(run, id) || run.playerDown(); }, minute) && !run.playerDown();
        player.stop();
        return recognised || run.giveUp("the target was never recognised");
    }
    }
    return false;
}

bool takeDownTarget(ScenarioRun& run) {
    const int target = run.contractTarget();
    if (target == 0)
        return run.giveUp("the target is gone");
    if (!run.playsAlive())
        run.note("opens fire on the target");
    if (!takeTargetDown(run, target, 2 * minute))
        return run.giveUp(run.playerDown() ? "the player went down first" : "the target would not go down");
    if (!run.playsAlive())
        run.note("the target is down");
    return true;
}

bool waitOutHold(ScenarioRun& run, const ContractInPlay& contract) {
    if (loggedStatus(run, contract.id) != 3)
        return true;
    const float spawnDistance = floatValue(
        run.readKeyValues("Missions/" + std::to_string(contract.id) + ".dat"), "spawnDistance", 2.5f * contract.blipRadius);
    run.note("the contract is on hold: walks off to come back from a distance");
    const drovil::Vector3 from = run.player().position();
    float away = flatDistance(from, contract.coords);
    drovil::Vector3 direction(1.0f, 0.0f, 0.0f);
    if (away > 0.5f)
        direction = drovil::Vector3((from.x - contract.coords.x) / away, (from.y - contract.coords.y) / away, 0.0f);
    away = spawnDistance + 30.0f;
    const drovil::Vector3 off(contract.coords.x + direction.x * away, contract.coords.y + direction.y * away, from.z);
    run.player().goTo(off, Gait::Run, 2.0f);
    const bool onAgain = run.waitUntil([&] { return loggedStatus(run, contract.id) == 0 || run.playerDown(); },
                                       3 * minute);
    run.player().stop();
    return onAgain && !run.playerDown();
}

bool getAway(ScenarioRun& run, const ContractInPlay& contract, std::string& why) {
    if (run.playsAlive() && targetHogtied(run)) {
        AliveTrip trip;
        if (bringInAlive(run, contract, trip))
            return true;
        why = "the target was not brought in";
        return false;
    }
    run.note(run.world().law.wantedByLaw() ? "the target is down; the shots bring the law" : "the target is down");
    if (!escape(run, contract)) {
        why = "the player did not get away";
        return false;
    }
    return true;
}

bool escape(ScenarioRun& run, const ContractInPlay& contract) {
    if (run.playsAlive() && targetHogtied(run)) {
        AliveTrip trip;
        return bringInAlive(run, contract, trip);
    }
    PlayerController& player = run.player();
    player.crouch(false);
    player.holster();
    run.note("whistles for the horse and runs for it");
    const drovil::Vector3 away = pointTowards(contract.coords, player.position(), 700.0f);
    player.whistleForHorse();
    // On foot away from the guns until the horse catches up.
    player.goTo(away, Gait::Sprint, 5.0f);
    bool atHand = run.waitUntil([&] { return player.horseAtHand() || run.playerDown(); }, 15 * second);
    if (!atHand && !run.playerDown() && run.world().entities.exists(player.ownHorse())) {
        // It hangs back: he runs over to it instead.
        run.note("the horse hangs back: runs over to it");
        player.goToEntity(player.ownHorse(), Gait::Sprint, 2.0f);
        atHand = run.waitUntil([&] { return player.horseAtHand() || run.playerDown(); }, 20 * second);
    }
    if (!atHand || run.playerDown() || !player.mount())
        return run.giveUp(run.playerDown() ? "shot down while running for the horse" : horseTrouble(run));
    run.note("in the saddle, rides off");
    player.goTo(away, Gait::Ride, 5.0f);
    return keepGoingUntilContractEnds(run, contract);
}

bool keepGoingUntilContractEnds(ScenarioRun& run, const ContractInPlay& contract) {
    const std::string missionFile = "Missions/" + std::to_string(contract.id) + ".dat";
    const bool ended = run.waitUntil(
        [&] {
            if (run.playerDown())
                return true;
            if (run.world().clock.frame % 15 != 0)
                return false;
            const int status = intValue(run.readKeyValues(missionFile), "status", -1);
            return status == 2 || status == 4;
        },
        5 * minute);
    run.player().stop();
    if (!ended || run.playerDown())
        return run.giveUp(run.playerDown() ? "shot down while getting away" : "the contract never ended");
    return intValue(run.readKeyValues(missionFile), "status", -1) == 2 || run.giveUp("the contract failed");
}

float pricesScale(ScenarioRun& run) {
    const auto settings = drovil::settingsWithDefaults(run.game().settingsLines());
    const auto found = settings.find("PricesScale");
    const float scale =
        found == settings.end() ? 0.0f : drovil::readSettingFloat(*drovil::findSetting("PricesScale"), found->second);
    return scale < 0.1f ? 0.1f : (scale > 10.0f ? 10.0f : scale);
}

float pendingBalance(ScenarioRun& run) {
    const auto save = run.readKeyValues("Savegame.dat");
    const auto found = save.find("pending_payment");
    return found == save.end() ? 0.0f : drovil::parseFloatText(found->second).value_or(0.0f);
}

bool collectPayment(ScenarioRun& run, int& paidCents) {
    PlayerController& player = run.player();
    int clerk = 0;
    float nearest = std::numeric_limits<float>::max();
    for (int station = 0; station < static_cast<int>(StationClerks::stationPositions().size()); ++station) {
        const int ped = run.world().stationClerks.clerkOf(station);
        const EntityRecord* record = run.world().entities.find(ped);
        if (record && player.distanceTo(record->position) < nearest) {
            nearest = player.distanceTo(record->position);
            clerk = ped;
        }
    }
    if (clerk == 0)
        return run.giveUp("no station clerk in the world");
    run.note("rides to the nearest train station, " + std::to_string(static_cast<int>(nearest)) + " m away");
    const drovil::Vector3 counter = run.world().entities.find(clerk)->position;
    if (!run.rideTo(pointTowards(counter, player.position(), 12.0f), 3.0f, 10 * minute))
        return run.giveUp("did not reach the station");
    player.dismount();
    if (!run.travelToEntity(clerk, Gait::Walk, 2.5f, minute))
        return run.giveUp("could not reach the clerk");
    run.note("steps up to the clerk and looks at him");
    player.holster();
    player.aimAt(clerk);
    const int cashBefore = run.world().player.cashCents;
    const bool held = run.holdPrompt(run.lang("prompts.receive_payment"), 10 * second);
    player.aimAt(0);
    if (!held)
        return run.giveUp("the clerk offered no payment");
    run.wait(1000);
    // The cash comes once the save that clears the balance is on the disk.
    run.waitForTheDisk([&] { return run.world().player.cashCents != cashBefore; }, 0);
    paidCents = run.world().player.cashCents - cashBefore;
    run.note("collects " + dollarsText(paidCents));
    return paidCents > 0;
}

int loggedStatus(ScenarioRun& run, int id) {
    const std::string marker = "ContractExecutor [" + std::to_string(id) + "]: status changed: ";
    const std::string& log = run.game().runLog();
    const auto at = log.rfind(marker);
    if (at == std::string::npos)
        return -1;
    const auto arrow = log.find("-> ", at);
    return arrow == std::string::npos ? -1 : std::atoi(log.c_str() + arrow + 3);
}

bool anyoneFightingPlayer(ScenarioRun& run) {
    const int me = run.world().player.pedId;
    for (const auto& [id, record] : run.world().entities.all())
        if (id != me && record.alive && record.combatOpponent == me)
            return true;
    return false;
}

} // namespace sim
