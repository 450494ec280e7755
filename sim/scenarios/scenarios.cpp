#include "scenarios/scenarios.h"

#include "runtime/number_text.h"
#include "runtime/settings_format.h"
#include "scenarios/alive_scenarios.h"
#include "scenarios/career.h"
#include "scenarios/contract_hunts.h"
#include "scenarios/contract_play.h"
#include "scenarios/hostage_play.h"
#include "scenarios/hunter_play.h"
#include "scenarios/road_contract_play.h"
#include "scenarios/station_play.h"
#include "scenarios/menu_play.h"
#include "scenarios/saloon_scenarios.h"
#include "world/places/scenario_point_data.h"
#include "world/core/world.h"

#include <cmath>
#include <sstream>

namespace sim {
namespace {

constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;

ScenarioResult failed(const std::string& why) {
    return {false, why};
}

// --- idle ---

ScenarioResult playIdle(ScenarioRun& run) {
    try {
        for (;;)
            run.frame();
    } catch (const ScenarioStopped&) {
    }
    const bool started = run.game().logContains("initialization complete");
    const bool running = !run.game().scriptStopped();
    return {started && running, started && running ? "the plug-in started and kept running"
                                                   : "the plug-in did not start or stopped"};
}

// --- first-contract ---

// A player carries a few dollars (enough to pay a saloon girl, say).
void pocketMoney(World& world) {
    world.player.cashCents = firstContractPocketCents;
}

ScenarioResult playFirstContract(ScenarioRun& run) {
    ContractInPlay contract;
    if (!takeQuestOffer(run, contract))
        return failed("no contract was taken in " + run.town().name);
    return playContract(run, contract);
}

// --- the taken camp contract, played in several ways ---

ContractInPlay takenCamp(ScenarioRun& run) {
    run.wait(1500); // the engine restores the contract at start-up
    return contractInArea(run, valentineAreaId());
}

void atNight(World& world) {
    world.clock.startMinuteOfDay = 23 * 60;
}

ScenarioResult playStealthily(ScenarioRun& run) {
    const ContractInPlay contract = takenCamp(run);
    if (contract.settingId != 0)
        return failed("the taken camp contract was not restored");
    const bool reached = approachCamp(run, contract, CampApproach::Stealthy);
    return {reached, reached ? "crept up to the target and recognised it unseen"
                             : "the approach was spotted or never got close"};
}

ScenarioResult playSpottedByDay(ScenarioRun& run) {
    const ContractInPlay contract = takenCamp(run);
    if (contract.settingId != 0)
        return failed("the taken camp contract was not restored");
    const bool unseen = approachCamp(run, contract, CampApproach::Stealthy);
    // What the scenario shows is the camp seeing the player by day.
    const bool spotted = !unseen && anyoneFightingPlayer(run);
    return {spotted, spotted ? "the camp spotted the crouching player by day, as it should"
                             : (unseen ? "the player crept up unseen in broad daylight"
                                       : "the approach never got close enough to be spotted")};
}

ScenarioResult playLoudByDay(ScenarioRun& run) {
    const ContractInPlay contract = takenCamp(run);
    if (contract.settingId != 0)
        return failed("the taken camp contract was not restored");
    approachCamp(run, contract, CampApproach::Loud);
    if (!run.playerDown())
        takeDownTarget(run);
    const bool combat = run.waitUntil(
        [&] { return run.game().logContains("combat started") || run.playerDown(); }, 2 * minute);
    const bool started = combat && run.game().logContains("combat started");
    return {started, started ? "the camp saw the player coming and turned on him"
                             : "the camp never turned on the player"};
}

ScenarioResult playKilledByGuards(ScenarioRun& run) {
    const ContractInPlay contract = takenCamp(run);
    if (contract.settingId != 0)
        return failed("the taken camp contract was not restored");
    run.note("rides into the camp and stands there with his hands empty");
    if (!run.rideTo(contract.coords, 8.0f, 10 * minute))
        return failed("did not reach the camp");
    run.player().dismount();
    if (!run.waitUntil([&] { return run.playerDown(); }, 5 * minute))
        return failed("the guards never killed the player");
    run.note("is shot dead");
    run.wait(3000);
    const ContractInPlay after = readContract(run, contract.id);
    const bool logged =
        run.game().logContains("ContractExecutor [" + std::to_string(contract.id) + "]: player has been killed");
    return {after.status == 4 && logged, "mission status " + std::to_string(after.status) +
                                             (logged ? ", \"player has been killed\" logged" : ", no kill logged")};
}

ScenarioResult playWalkAway(ScenarioRun& run) {
    const ContractInPlay contract = takenCamp(run);
    if (contract.settingId != 0)
        return failed("the taken camp contract was not restored");
    run.note("rides into the search area");
    const std::string mission = "Missions/" + std::to_string(contract.id) + ".dat";
    // Just over the edge of the area: the hunt is on, the camp is still out of sight.
    if (!run.rideTo(contract.blipCoords, contract.blipRadius + 40.0f, 10 * minute))
        return failed("did not reach the search area");
    run.player().goTo(contract.blipCoords, Gait::Walk, 1.0f);
    if (!run.waitUntil([&] { return loggedStatus(run, contract.id) == 1; }, minute))
        return failed("the hunt never started");
    run.player().stop();
    run.note("turns round and rides away, leaving the target behind");
    const drovil::Vector3 from = contract.coords;
    const drovil::Vector3 here = run.player().position();
    const float dx = here.x - from.x, dy = here.y - from.y;
    const float length = std::sqrt(dx * dx + dy * dy) + 0.01f;
    const float far = contract.missionAreaRadius + 200.0f;
    run.player().goTo(drovil::Vector3(from.x + dx / length * far, from.y + dy / length * far, from.z), Gait::Ride,
                      5.0f);
    const std::string lost = run.lang("contract.target_lost");
    const bool shown = run.waitUntil([&] { return run.world().hud.subtitleShown(lost); }, 3 * minute);
    run.player().stop();
    run.wait(1000);
    const int status = intValue(run.readKeyValues(mission), "status", -1);
    return {shown && status == 4, std::string(shown ? "the lost subtitle was shown" : "no lost subtitle") +
                                      ", mission status " + std::to_string(status)};
}

ScenarioResult playPrisonWagonStolenScenario(ScenarioRun& run) {
    std::string summary;
    const bool done = playPrisonWagonStolen(run, summary);
    return {done, summary};
}

ScenarioResult playStreetHostageScenario(ScenarioRun& run) {
    std::string summary;
    const bool done = playStreetHostage(run, summary);
    return {done, summary};
}

// --- train-missed ---

ScenarioResult playTrainMissedScenario(ScenarioRun& run) {
    std::string summary;
    const bool done = playTrainMissed(run, summary);
    return {done, summary};
}

ScenarioResult playCoachChaseScenario(ScenarioRun& run) {
    std::string summary;
    const bool done = playCoachChase(run, summary);
    return {done, summary};
}

// --- menu-abort ---

void carryingCash(World& world) {
    // Rows of contracts worth more than the player carries are greyed out.
    world.player.cashCents = 10000;
}

ScenarioResult playMenuAbort(ScenarioRun& run) {
    const ContractInPlay contract = takenCamp(run);
    if (contract.id < 0)
        return failed("the taken contract was not restored");
    const drovil::Vector3 mainStreet(-312.085f, 830.793f, 119.576f);
    if (!sitOnSeatNear(run, mainStreet, seats::bench.pointType, "a bench on Valentine's main street"))
        return failed("found no bench to sit on in Valentine");
    if (!openContractMenu(run))
        return failed("the contract menu was not offered on the bench");
    run.frame();
    const std::vector<MenuRowSeen> rows = menuRowsOnScreen(run.world());
    const std::string price = dollarsText(contract.bounty * 100);
    if (rows.size() != 1 || rows[0].label != "Valentine" || rows[0].price != price || !rows[0].selected)
        return failed("the menu did not show Valentine's contract for " + price + " selected");
    run.note("reads the row: " + rows[0].label + ", " + rows[0].price);
    if (!viewSelectedContract(run) || !run.readCard(10 * second))
        return failed("the contract's card was not shown from the menu");
    if (!run.waitUntil([&] { return menuOnScreen(run.world()); }, 3 * second))
        return failed("the menu did not come back once the card was put away");
    if (!abandonSelectedContract(run))
        return failed("the contract could not be abandoned");
    const std::string empty = run.lang("menu.empty");
    const std::string emptyFirstLine = empty.substr(0, empty.find('@'));
    const bool ended = run.waitUntil(
        [&] { return readContract(run, contract.id).status == 4 && run.world().hud.textDrawn(emptyFirstLine); },
        5 * second);
    const int slot = intValue(run.readKeyValues("Savegame.dat"), "missions." + std::to_string(contract.areaId), -999);
    if (!ended || slot != -1)
        return failed("abandoning left mission status " + std::to_string(readContract(run, contract.id).status) +
                      " and the area's slot at " + std::to_string(slot));
    run.note("sees the contract gone from the menu");
    if (!closeContractMenu(run))
        return failed("the menu did not close");
    run.player().standUp();
    run.note("stands up and strolls the main street, waiting for another offer");
    if (!run.travelTo(mainStreet, Gait::Walk, 2.0f, 3 * minute))
        return failed("did not get back to the main street");
    const bool offered = run.waitUntil([&] { return run.game().logContains("quest offer triggered in area"); },
                                       4 * 60 * minute);
    return {offered, std::string("mission ") + std::to_string(contract.id) + " abandoned from the menu: status 4, " +
                         "slot freed; " + (offered ? "a new offer came after the wait" : "no new offer came")};
}

} // namespace

void writeTakenCampContract(ScenarioFiles& files) {
    const std::string area = std::to_string(valentineAreaId());
    const std::string coords = "187.54,798.92,126.223";
    const std::string blipCoords = "205.1,780.3,126.223";
    // Every key of a mission file, in the file's own order.
    files["Missions/0.dat"] =
        "id=0\ncoords=" + coords + "\ntemplateId=0\nsettingId=0\nareaId=" + area +
        "\nstatus=0\nbounty=60\ncreatedAt=0\nvariant=0\ntargetModel=" +
        std::to_string(static_cast<std::int32_t>(gameHash("g_m_m_unicriminals_01"))) +
        "\ntargetOutfitIndex=0\nguardsCount=4\nguardModel=" +
        std::to_string(static_cast<std::int32_t>(gameHash("g_m_m_uniduster_01"))) +
        "\ncompanionsCount=0\ncompanionModel=0\nvehicleModel=0\nvehiclePropsetModel=0\nisTargetACriminal=1\n"
        "isTargetArmed=1\npropsetModel=" +
        std::to_string(static_cast<std::int32_t>(gameHash("pg_ambient_campfireexconfed01x"))) +
        "\nambienceRadius=0\nspawnDistance=250\ntargetFleeChance=0\nblipRadius=90\nmissionAreaRadius=270\n"
        "targetLootMoney=4000\ncompanionsLootMoney=0\nguardsLootMoney=2500\nblipCoords=" +
        blipCoords + "\nbonusesReward=0\n";
    files["Savegame.dat"] = "next_mission_id=1\npending_payment=0\nmissions." + area + "=0\n";
}

const std::vector<ScenarioDefinition>& allScenarios() {
    static const auto* scenarios = new std::vector<ScenarioDefinition>{
        {"idle", "runs the game untouched until the frame limit; succeeds when the plug-in keeps running", nullptr,
         nullptr, &playIdle},
        {"first-contract",
         "a fresh Drovil/ folder in a town (--area, Valentine by default): takes a passer-by's contract, reads "
         "the card, goes after the target as the contract's setting asks, takes him down, escapes and collects "
         "the reward at the station",
         nullptr, &pocketMoney, &playFirstContract},
        {"camp-stealth-night",
         "a camp contract already taken; at 23:00 the player creeps up to the camp fire and must recognise the "
         "target without being seen",
         &writeTakenCampContract, &atNight, &playStealthily},
        {"camp-stealth-day",
         "the night approach by day: crouched, the player is spotted before he can make the target out; "
         "succeeds when the camp spots him",
         &writeTakenCampContract, nullptr, &playSpottedByDay},
        {"camp-loud-day",
         "a camp contract already taken; by day the player gallops into the camp shooting: the whole camp must "
         "turn on him",
         &writeTakenCampContract, nullptr, &playLoudByDay},
        {"camp-killed",
         "a camp contract already taken; the player rides into the camp and is shot dead: the contract must fail",
         &writeTakenCampContract, nullptr, &playKilledByGuards},
        {"camp-walk-away",
         "a camp contract already taken; the player enters the search area, then rides far away: the contract "
         "must be lost",
         &writeTakenCampContract, nullptr, &playWalkAway},
        {"hunter-day",
         "a hunter camp contract already taken; by day the player watches from the bushes as the hunter goes out, "
         "stalks and shoots an animal and carries it back to camp (or, finding nothing, comes back empty-handed "
         "by the end of his day)",
         &writeTakenHunterContract, nullptr, &playHunterDay},
        {"hunter-night",
         "a hunter camp contract already taken; at 16:30 the player watches the camp: the hunter goes out after "
         "game, must be back by his fire once night falls and stay there; then the player creeps up and makes him "
         "out",
         &writeTakenHunterContract, &atHunterDusk, &playHunterNight},
        {"prisoner-wagon-stolen",
         "a prisoner-transport contract already taken in Valentine; the player shoots the prison wagon's driver "
         "on the road, drives the wagon to the sheriff's office, waits for the jail guard to load the prisoner "
         "and drives off without the guard, who must turn on him",
         &writeTakenPrisonerContract, &startInValentineCentre, &playPrisonWagonStolenScenario},
        {"train-missed",
         "a train station contract already taken in Valentine; the player loiters at the station without drawing, "
         "the target boards the train and it leaves with him: the contract must fail, the target lost",
         &writeTakenTrainContract, nullptr, &playTrainMissedScenario},
        {"coach-chase",
         "a train station contract already taken in Valentine whose target leaves by coach; the player waits on "
         "the platform without drawing: the coach must pull up within 20 m of the spot, take the target in and "
         "drive off with him; then the player runs after it, shoots him aboard and gets away",
         &writeTakenCoachContract, nullptr, &playCoachChaseScenario},
        {"saloon-lure",
         "a saloon contract already taken in Valentine; at 23:00 the player finds the target among the drinkers, "
         "waits until he reels drunk and pays a working girl to lure him out: he must follow her to a spot about "
         "25 m away from the road and turn on her there, where the player takes him",
         &writeTakenSaloonContract, &lateNightWithCash, &playSaloonLure},
        {"saloon-wait",
         "a saloon contract already taken in Valentine; the player finds the target and pays nobody: the target "
         "must stay in the saloon until its clock passes 180000 ms and leave at 180001 ms, and is taken in the "
         "street",
         &writeTakenSaloonContract, &withCash, &playSaloonWait},
        {"menu-abort",
         "a camp contract already taken; the player sits on a bench in Valentine, opens the contract menu, reads "
         "the row, views the card, puts it away and abandons the contract: it must fail, free its slot, and "
         "offers must come again after the wait",
         &writeTakenCampContract, &carryingCash, &playMenuAbort},
        {"career",
         "contract after contract in one game and one game folder (--contracts N, 5 by default): the player "
         "takes the train from town to town, takes the offers as they come and plays each to its end (mostly "
         "to the reward, some left behind, killed or abandoned from the menu), collecting the pay at stations; "
         "the summary gives the contracts by setting and outcome, the rewards earned and paid, what scripts "
         "still hold in the world and the memory; started again on the same folder (--game-dir) it plays the "
         "restored contracts and goes on to the number",
         nullptr, nullptr, &playCareer},
        {"alive-camp",
         "dead or alive: a camp contract already taken; the player shoots the guards who fight, lassoes and "
         "hogties the target, lays him across his horse, rides to the sheriff's office the map marks and "
         "hands him over there; he must be paid the bounty and the alive bonus",
         [](ScenarioFiles& files) { writeTakenCampContract(files), giveAliveBonus(files); }, &pocketMoney,
         &playAliveTaken, true},
        {"alive-street",
         "dead or alive: a street contract already taken in Valentine; the target is found on the street, "
         "lassoed, hogtied without the law minding it, carried to the sheriff's office and handed over",
         [](ScenarioFiles& files) { writeTakenStreetContract(files), giveAliveBonus(files); }, &pocketMoney,
         &playAliveTaken, true},
        {"alive-hotel",
         "dead or alive: a hotel contract already taken in Valentine; the wealthy traveller is found in his "
         "room, lassoed when he runs, hogtied and handed to the sheriff",
         [](ScenarioFiles& files) { writeTakenHotelContract(files), giveAliveBonus(files); }, &pocketMoney,
         &playAliveTaken, true},
        {"alive-saloon",
         "dead or alive: a saloon contract already taken in Valentine; the target is lured out or waited for, "
         "lassoed, hogtied and handed to the sheriff",
         [](ScenarioFiles& files) { writeTakenSaloonContract(files), giveAliveBonus(files); }, &pocketMoney,
         &playAliveTaken, true},
        {"alive-wagon",
         "dead or alive: a wagon contract already taken near Valentine; the player cuts the wagon off, shoots "
         "the guard, lassoes the driver off the box, hogties him and brings him to the sheriff",
         [](ScenarioFiles& files) { writeTakenWagonContract(files), giveAliveBonus(files); }, &pocketMoney,
         &playAliveTaken, true},
        {"alive-train-station",
         "dead or alive: a train station contract already taken in Valentine; the target is found among the "
         "people waiting, lassoed before the train takes him, hogtied and handed to the sheriff",
         [](ScenarioFiles& files) { writeTakenTrainContract(files), giveAliveBonus(files); }, &pocketMoney,
         &playAliveTaken, true},
        {"alive-prisoner-transport",
         "dead or alive: a prisoner transport contract already taken in Valentine; the prison wagon is caught "
         "out of town, its escort seen off and the prisoner lassoed, hogtied and brought back to the sheriff",
         [](ScenarioFiles& files) { writeTakenPrisonerContract(files), giveAliveBonus(files); }, &pocketMoney,
         &playAliveTaken, true},
        {"alive-hunter-camp",
         "dead or alive: a hunter camp contract already taken; the hunter is stalked, lassoed, hogtied, laid "
         "across the horse and handed to the sheriff",
         [](ScenarioFiles& files) { writeTakenHunterContract(files), giveAliveBonus(files); }, &pocketMoney,
         &playAliveTaken, true},
        {"alive-escape",
         "dead or alive: the street target hogtied across the horse struggles free while the player rests on "
         "the way; the hunt is on again, he is caught again (or, failing that, shot) and the contract paid",
         [](ScenarioFiles& files) { writeTakenStreetContract(files), giveAliveBonus(files); }, &pocketMoney,
         &playAliveEscape, true},
        {"alive-dies",
         "dead or alive: the street target hogtied across the horse is shot dead there; the contract goes on as "
         "for a dead target: the player gets away and is paid the bounty without the alive bonus",
         [](ScenarioFiles& files) { writeTakenStreetContract(files), giveAliveBonus(files); }, &pocketMoney,
         &playAliveDies, true},
        {"restless",
         "the career of a restless player (--contracts N, 5 by default): at every decision he may, by seeded "
         "chance, let an offer lapse, sleep, ride off to another town with the contract, leave the search area, "
         "abandon it from the menu or get himself killed, at 30 or 60 frames a second; after every contract the "
         "save, the slots, the mission files and the money are checked, a breach failing loudly with its frame; "
         "the summary counts what he did",
         nullptr, nullptr, &playRestless},
        {"street-hostage",
         "a street contract already taken in Valentine; the player finds the target on the main street, comes up "
         "behind him with his gun out, takes him hostage, shoves him out of town and shoots him there, out of "
         "the law's hearing, then gets away",
         &writeTakenStreetContract, nullptr, &playStreetHostageScenario},
    };
    return *scenarios;
}

const ScenarioDefinition* findScenario(const std::string& name) {
    for (const ScenarioDefinition& scenario : allScenarios())
        if (scenario.name == name)
            return &scenario;
    return nullptr;
}

ScenarioFiles scenarioFiles(const ScenarioDefinition& scenario) {
    ScenarioFiles files;
    if (scenario.prepareFiles)
        scenario.prepareFiles(files);
    return files;
}

ScenarioResult playScenario(const ScenarioDefinition& scenario, ScenarioRun& run) {
    if (scenario.prepareWorld)
        scenario.prepareWorld(run.world());
    if (scenario.aliveBounties)
        run.setPlaysAlive(true);
    run.startInTown();
    try {
        return scenario.play(run);
    } catch (const ScenarioStopped& stopped) {
        return failed(stopped.what());
    }
}

} // namespace sim
