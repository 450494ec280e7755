#include "scenarios/career.h"

#include "host/plugin_cost.h"
#include "runtime/number_text.h"
#include "runtime/settings_format.h"
#include "scenarios/career_book.h"
#include "scenarios/contract_hunts.h"
#include "scenarios/contract_play.h"
#include "scenarios/menu_play.h"
#include "world/core/geometry.h"
#include "world/core/script_owned.h"
#include "world/core/world.h"
#include "world/places/scenario_point_data.h"
#include "world/places/station_clerks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <set>
#include <sstream>
#include <vector>

namespace sim {
namespace {

constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;
constexpr int savingsCents = 20000;

// How each contract of the career is meant to go, by its place in the career:
// most are played to the reward; every tenth the player leaves the target
// behind, another gets him killed (in the next camp, where guards can do it),
// another he abandons from the menu before setting out.
enum class Plan { Complete, Lose, Die, Abort };

Plan planFor(int index) {
    switch (index % 10) {
    case 3:
        return Plan::Lose;
    case 6:
        return Plan::Die;
    case 8:
        return Plan::Abort;
    default:
        return Plan::Complete;
    }
}

// A figure of this process's resident memory in KiB (0 where the system does
// not say): "RssAnon:" what it allocated (heap, stacks), "VmRSS:" all of it,
// with the program's own pages the system reads in as new code first runs.
long residentKb(const char* field = "RssAnon:") {
    std::ifstream status("/proc/self/status");
    const std::size_t length = std::strlen(field);
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + length);
    return 0;
}

// What the program has allocated and not freed, in KiB: counted at each
// allocation and each freeing, so neither what the C library's allocator keeps
// of freed memory for later nor pages it has not given back are in it.
long heapInUseKb() { return static_cast<long>(plugin_cost::processHeapInUse() / 1024); }

int pendingCents(ScenarioRun& run) {
    return static_cast<int>(std::lround(static_cast<double>(pendingBalance(run)) * pricesScale(run) * 100.0));
}

const StartingTown& townOfArea(int areaId) {
    for (const StartingTown& town : allTowns())
        if (town.areaId() == areaId)
            return town;
    return valentine();
}

// The missions the save holds in play, one a town at most.
std::vector<ContractInPlay> missionsInPlay(ScenarioRun& run) {
    std::vector<ContractInPlay> inPlay;
    for (const StartingTown& town : allTowns()) {
        const ContractInPlay contract = contractInArea(run, town.areaId());
        if (contract.settingId >= 0 && (contract.status == 0 || contract.status == 1))
            inPlay.push_back(contract);
    }
    return inPlay;
}

int nextMissionId(ScenarioRun& run) {
    return intValue(run.readKeyValues("Savegame.dat"), "next_mission_id", 0);
}

int statusOf(ScenarioRun& run, int id) {
    return readContract(run, id).status;
}

bool ended(int status) {
    return status == 2 || status == 4;
}

std::size_t nearestStation(const drovil::Vector3& position) {
    const auto& stations = StationClerks::stationPositions();
    std::size_t best = 0;
    for (std::size_t i = 1; i < stations.size(); ++i)
        if (flatDistance(stations[i], position) < flatDistance(stations[best], position))
            best = i;
    return best;
}

// The rewards of the completed contracts the folder holds, in cents at the
// price scale the plug-in reads now.
long long earnedCents(ScenarioRun& run) {
    const float scale = pricesScale(run);
    long long cents = 0;
    const int next = nextMissionId(run);
    for (int id = 0; id < next; ++id) {
        const ContractInPlay contract = readContract(run, id);
        if (contract.status == 2)
            cents += static_cast<long long>(
                std::lround(static_cast<double>(contract.bounty + contract.bonusesReward) * scale * 100.0));
    }
    return cents;
}

// The restless player's ways of going off the plan, counted for the summary.
enum class Whim { LetsOfferLapse, Sleeps, RidesOff, Completes, LeavesArea, AbandonsByMenu, DiesInCamp };
constexpr int whimCount = 7;
const char* whimName(Whim whim) {
    switch (whim) {
    case Whim::LetsOfferLapse:
        return "lets an offer lapse";
    case Whim::Sleeps:
        return "sleeps hours away";
    case Whim::RidesOff:
        return "rides off to another town with the contract";
    case Whim::Completes:
        return "plays it to the reward";
    case Whim::LeavesArea:
        return "leaves the search area mid-hunt";
    case Whim::AbandonsByMenu:
        return "abandons it from the menu";
    case Whim::DiesInCamp:
        return "dies in a camp";
    }
    return "?";
}

class Career {
public:
    Career(ScenarioRun& run, bool restless)
        : run_(run), book_(std::filesystem::path(run.game().gameFolder())), restless_(restless),
          choices_(restless ? run.world().random() : 0u) {
        // The player's savings: the menu greys out (and will not abandon) a
        // contract worth more than he carries.
        run_.world().player.cashCents = std::max(run_.world().player.cashCents, savingsCents);
        cash_ = run_.world().player.cashCents;
        // Whatever the purse gains is the clerks' pay: booked the frame it comes.
        run_.afterEveryFrame([this] {
            const int cash = run_.world().player.cashCents;
            if (cash > cash_)
                book_.recordPaid(cash - cash_);
            cash_ = cash;
        });
    }
    ~Career() { run_.afterEveryFrame(nullptr); }

    ScenarioResult play();

private:
    CareerOutcome playContract(const ContractInPlay& contract, const StartingTown& town, Plan plan);
    // The restless player's choices, each drawn from the game's seed.
    bool chance(double p) { return std::bernoulli_distribution(p)(choices_); }
    void did(Whim whim) { ++whims_[static_cast<std::size_t>(whim)]; }
    Plan restlessPlan();
    void beforeOffer(const StartingTown& town);
    void afterOffer(const ContractInPlay& contract, const StartingTown& town);
    // What the plug-in promises of its files, checked after every contract;
    // each breach is a problem naming the frame.
    void checkPromises(std::vector<std::string>& problems);
    bool completeIt(const ContractInPlay& contract, const StartingTown& town, CareerOutcome& outcome);
    bool abandonFromMenu(const ContractInPlay& contract, const StartingTown& town);
    bool leaveBehind(const ContractInPlay& contract, bool enterFirst);
    bool dieInCamp(const ContractInPlay& contract, const StartingTown& town);
    void respawn(const StartingTown& town);
    bool takeTrainTo(const StartingTown& town);
    bool takeOffer(const StartingTown& town, ContractInPlay& contract);
    bool collectPay();
    void finish(int id, int settingId, CareerOutcome outcome);
    int endedContracts();
    bool idle();

    ScenarioRun& run_;
    CareerBook book_;
    int cash_;
    bool deathOwed_ = false; // a Die plan met a contract without guards: the next camp gets it
    int endedHere_ = 0;      // contracts ended in this launch
    bool restless_;
    std::mt19937 choices_;
    std::array<int, whimCount> whims_{};
    std::set<int> endedSeen_; // contracts seen ended: none may come back into play
};

Plan Career::restlessPlan() {
    const double roll = std::uniform_real_distribution<double>(0.0, 1.0)(choices_);
    if (roll < 0.15)
        return Plan::Lose;
    if (roll < 0.27)
        return Plan::Die;
    if (roll < 0.42)
        return Plan::Abort;
    return Plan::Complete;
}

void Career::beforeOffer(const StartingTown& town) {
    if (chance(0.2)) {
        // Whoever comes up with work while he stands there goes away unanswered.
        did(Whim::LetsOfferLapse);
        run_.note("stands about on " + town.name + "'s main street, paying no one any mind");
        run_.player().stop();
        run_.wait(3 * minute);
    }
    if (chance(0.15)) {
        const int hours = std::uniform_int_distribution<int>(2, 9)(choices_);
        did(Whim::Sleeps);
        run_.note("sleeps " + std::to_string(hours) + " hours at the hotel");
        run_.world().playerSleeps(hours);
        run_.wait(2 * second);
    }
}

void Career::afterOffer(const ContractInPlay& contract, const StartingTown& town) {
    if (!chance(0.15))
        return;
    // Another town's errands first, the contract in his pocket.
    const auto& towns = allTowns();
    const StartingTown& other =
        towns[std::uniform_int_distribution<std::size_t>(0, towns.size() - 1)(choices_)];
    if (&other == &town)
        return;
    did(Whim::RidesOff);
    run_.note("rides off to " + other.name + " with contract " + std::to_string(contract.id) + " in his pocket");
    if (takeTrainTo(other)) {
        run_.wait(30 * second);
        takeTrainTo(town);
    }
}

void Career::checkPromises(std::vector<std::string>& problems) {
    const std::string at = " (frame " + std::to_string(run_.framesRun()) + ")";
    const int next = nextMissionId(run_);
    for (int id = 0; id < next; ++id) {
        const ContractInPlay contract = readContract(run_, id);
        if (contract.settingId < 0) {
            problems.push_back("mission file " + std::to_string(id) + " is missing or does not read" + at);
            continue;
        }
        if (ended(contract.status)) {
            endedSeen_.insert(id);
            continue;
        }
        if (endedSeen_.count(id) != 0)
            problems.push_back("ended contract " + std::to_string(id) + " came back into play (status " +
                               std::to_string(contract.status) + ")" + at);
        if (contractInArea(run_, contract.areaId).id != id)
            problems.push_back("contract " + std::to_string(id) + " in play is not in its town's slot" + at);
    }
    for (const StartingTown& town : allTowns()) {
        const ContractInPlay slot = contractInArea(run_, town.areaId());
        if (slot.id >= 0 && (slot.settingId < 0 || ended(slot.status)))
            problems.push_back(town.name + "'s slot names contract " + std::to_string(slot.id) +
                               ", which is not in play" + at);
    }
    const long long earned = earnedCents(run_);
    const long long accounted = static_cast<long long>(book_.paidCents()) + pendingCents(run_);
    if (std::llabs(accounted - earned) > book_.payments() + 1)
        problems.push_back("paid and owed " + dollarsText(static_cast<int>(accounted)) + " for rewards of " +
                           dollarsText(static_cast<int>(earned)) + at);
}

int Career::endedContracts() {
    int count = 0;
    const int next = nextMissionId(run_);
    for (int id = 0; id < next; ++id)
        count += ended(statusOf(run_, id)) ? 1 : 0;
    return count;
}

// Nothing in play and no offer under way: what scripts hold now is the plug-in's idle.
bool Career::idle() {
    const std::string& log = run_.game().runLog();
    std::size_t triggered = 0, finished = 0;
    for (std::size_t at = log.find("quest offer triggered"); at != std::string::npos;
         at = log.find("quest offer triggered", at + 1))
        ++triggered;
    for (std::size_t at = log.find("quest offer finished"); at != std::string::npos;
         at = log.find("quest offer finished", at + 1))
        ++finished;
    return triggered == finished && missionsInPlay(run_).empty();
}

void Career::finish(int id, int settingId, CareerOutcome outcome) {
    book_.recordEnded(id, settingId, outcome);
    ++endedHere_;
    run_.note(std::string("contract ") + std::to_string(id) + " (" + settingName(settingId) + ") ends: " +
              careerOutcomeName(outcome));
}

void Career::respawn(const StartingTown& town) {
    run_.note("lies dead; after the death screen the game brings him back in " + town.name);
    run_.wait(5 * second);
    run_.world().respawnPlayer(town.mainStreet);
    if (EntityRecord* horse = run_.world().entities.find(run_.player().ownHorse())) {
        horse->position = town.mainStreet;
        horse->position.x += 3.0f;
        horse->alive = true;
        horse->knockedOut = false;
    }
    run_.player().stop();
    run_.wait(2 * second);
}

bool Career::takeTrainTo(const StartingTown& town) {
    PlayerController& player = run_.player();
    const auto& stations = StationClerks::stationPositions();
    const std::size_t from = nearestStation(player.position());
    const std::size_t to = nearestStation(town.mainStreet);
    if (from != to && player.distanceTo(town.mainStreet) > 400.0f) {
        run_.note("rides to the station to take the train to " + town.name);
        if (!run_.rideTo(stations[from], 8.0f, 10 * minute))
            return false;
        player.dismount();
        run_.wait(2 * second);
        // The journey: the train's 15 m a second, at the game clock's 30 game
        // seconds for each of ours.
        const float metres = flatDistance(stations[from], stations[to]);
        run_.world().clock.skipGameTime(static_cast<std::uint64_t>(metres / 15.0f * 30.0f));
        drovil::Vector3 platform = stations[to];
        platform.y -= 6.0f;
        run_.world().playerPed().position = platform;
        if (EntityRecord* horse = run_.world().entities.find(player.ownHorse())) {
            horse->position = platform;
            horse->position.x += 3.0f;
        }
        player.stop();
        run_.note("gets off the train in " + town.name + " after " + std::to_string(static_cast<int>(metres)) + " m");
        run_.wait(2 * second);
    }
    if (player.distanceTo(town.mainStreet) > 30.0f && !run_.rideTo(town.mainStreet, 15.0f, 10 * minute))
        return false;
    player.dismount();
    return true;
}

bool Career::takeOffer(const StartingTown& town, ContractInPlay& contract) {
    for (int hour = 0; hour < 6; ++hour) {
        if (takeQuestOfferIn(run_, town, contract, minute))
            return true;
        // An offer taken that went wrong after the handover still made a contract.
        contract = contractInArea(run_, town.areaId());
        if (contract.settingId >= 0 && !ended(contract.status))
            return true;
        run_.note("no work in " + town.name + " yet: sleeps an hour at the hotel");
        run_.world().playerSleeps(1);
    }
    return false;
}

bool Career::collectPay() {
    // Killed on the way (a camp's men giving chase), the player comes back in
    // the nearest town and goes to a clerk again.
    for (int tries = 0; tries < 3; ++tries) {
        if (pendingCents(run_) <= 0)
            return true;
        if (!run_.waitUntil([&] { return !run_.world().player.wanted; }, 5 * minute))
            return false;
        int paid = 0;
        if (collectPayment(run_, paid))
            return true;
        if (!run_.playerDown())
            return false;
        run_.wait(3 * second);
        const StartingTown* nearest = &allTowns().front();
        for (const StartingTown& town : allTowns())
            if (run_.player().distanceTo(town.mainStreet) < run_.player().distanceTo(nearest->mainStreet))
                nearest = &town;
        respawn(*nearest);
    }
    return false;
}

// From the town's bench, before the hunt has begun (the menu is not offered
// while a contract is engaged).
bool Career::abandonFromMenu(const ContractInPlay& contract, const StartingTown& town) {
    if (statusOf(run_, contract.id) != 0)
        return false;
    PlayerController& player = run_.player();
    if (player.distanceTo(town.mainStreet) > 60.0f && !run_.rideTo(town.mainStreet, 15.0f, 10 * minute))
        return false;
    player.dismount();
    player.holster();
    bool seated = false;
    for (const SeatKind* kind : {&seats::bench, &seats::steps, &seats::chair})
        if (!seated)
            seated = sitOnSeatNear(run_, town.mainStreet, kind->pointType, "a seat on " + town.name + "'s main street");
    if (!seated || !openContractMenu(run_)) {
        player.standUp();
        return false;
    }
    run_.frame();
    for (std::size_t tries = 0; tries < 8; ++tries) {
        const std::vector<MenuRowSeen> rows = menuRowsOnScreen(run_.world());
        bool onIt = false;
        for (const MenuRowSeen& row : rows)
            onIt = onIt || (row.selected && row.label == town.name);
        if (onIt || rows.size() <= 1)
            break;
        moveMenuSelection(run_, true);
    }
    const bool abandoned = abandonSelectedContract(run_) &&
                           run_.waitUntil([&] { return statusOf(run_, contract.id) == 4; }, 5 * second);
    closeContractMenu(run_);
    player.standUp();
    run_.wait(second);
    return abandoned;
}

// Into the search area until the hunt is on (when asked), then away until the
// contract is lost.
bool Career::leaveBehind(const ContractInPlay& contract, bool enterFirst) {
    PlayerController& player = run_.player();
    player.crouch(false);
    player.holster();
    // A contract on hold (taken too near its scene) cannot be lost until it is open again.
    if (enterFirst)
        waitOutHold(run_, contract);
    if (enterFirst && statusOf(run_, contract.id) == 0) {
        run_.note("rides into the search area");
        if (run_.rideTo(contract.blipCoords, contract.blipRadius + 40.0f, 10 * minute)) {
            player.goTo(contract.blipCoords, Gait::Walk, 1.0f);
            run_.waitUntil([&] { return loggedStatus(run_, contract.id) == 1; }, minute);
            player.stop();
        }
    }
    run_.note("turns round and rides away, leaving the target behind");
    const drovil::Vector3 here = player.position();
    const float dx = here.x - contract.coords.x, dy = here.y - contract.coords.y;
    const float length = std::sqrt(dx * dx + dy * dy) + 0.01f;
    const float far = contract.missionAreaRadius + 300.0f;
    const drovil::Vector3 away(contract.coords.x + dx / length * far, contract.coords.y + dy / length * far,
                               contract.coords.z);
    if (!run_.callHorse(30 * second) || !player.mount())
        player.goTo(away, Gait::Sprint, 5.0f);
    else
        player.goTo(away, Gait::Ride, 5.0f);
    const bool over = run_.waitUntil([&] { return ended(statusOf(run_, contract.id)) || run_.playerDown(); },
                                     5 * minute);
    player.stop();
    return over;
}

bool Career::dieInCamp(const ContractInPlay& contract, const StartingTown& town) {
    waitOutHold(run_, contract); // no guards stand in a camp on hold
    run_.note("rides into the camp and stands there with his hands empty");
    run_.player().holster();
    // Shot on the way in is as good as shot standing there.
    if (!run_.rideTo(contract.coords, 8.0f, 10 * minute) && !run_.playerDown())
        return false;
    if (!run_.playerDown())
        run_.player().dismount();
    if (!run_.waitUntil([&] { return run_.playerDown(); }, 5 * minute))
        return false;
    run_.note("is shot dead");
    run_.wait(3 * second);
    respawn(town);
    return true;
}

bool Career::completeIt(const ContractInPlay& contract, const StartingTown& town, CareerOutcome& outcome) {
    std::string why;
    const bool done = huntFor(contract.settingId)(run_, contract, why);
    if (!done)
        run_.note("the hunt went wrong: " + why);
    if (run_.playerDown()) {
        run_.wait(3 * second);
        respawn(town);
        run_.waitUntil([&] { return ended(statusOf(run_, contract.id)); }, 10 * second);
        outcome = CareerOutcome::Died;
        return ended(statusOf(run_, contract.id));
    }
    run_.waitUntil([&] { return ended(statusOf(run_, contract.id)); }, done ? 30 * second : second);
    const int status = statusOf(run_, contract.id);
    if (status == 2 || status == 4) {
        outcome = status == 2 ? CareerOutcome::Completed : CareerOutcome::Failed;
        return true;
    }
    // Still in play: abandoned from the menu if the hunt never began, else left behind.
    if (abandonFromMenu(contract, town)) {
        outcome = CareerOutcome::Failed;
        return true;
    }
    outcome = CareerOutcome::Failed;
    return leaveBehind(contract, false) && !run_.playerDown();
}

CareerOutcome Career::playContract(const ContractInPlay& contract, const StartingTown& town, Plan plan) {
    const bool playable = huntFor(contract.settingId) != nullptr;
    if (plan == Plan::Die && contract.settingId != 0) {
        deathOwed_ = true;
        plan = Plan::Complete;
    } else if (contract.settingId == 0 && deathOwed_ && plan == Plan::Complete) {
        plan = Plan::Die;
    }
    if (!playable || plan == Plan::Abort) {
        if (!playable)
            run_.note(std::string("cannot play a ") + settingName(contract.settingId) +
                      " contract: abandons it from the menu");
        if (abandonFromMenu(contract, town))
            return CareerOutcome::Aborted;
        run_.note("the menu would not take it back: leaves the contract behind instead");
        return leaveBehind(contract, true) ? CareerOutcome::Lost : CareerOutcome::Failed;
    }
    if (plan == Plan::Die) {
        deathOwed_ = false;
        if (dieInCamp(contract, town))
            return CareerOutcome::Died;
        return leaveBehind(contract, false) ? CareerOutcome::Lost : CareerOutcome::Failed;
    }
    if (plan == Plan::Lose)
        return leaveBehind(contract, true) ? CareerOutcome::Lost : CareerOutcome::Failed;
    CareerOutcome outcome = CareerOutcome::Failed;
    completeIt(contract, town, outcome);
    return outcome;
}

ScenarioResult Career::play() {
    const int wanted = run_.contractsWanted() > 0 ? run_.contractsWanted() : defaultCareerContracts;
    std::vector<std::string> problems;
    if (restless_ && chance(0.5)) {
        run_.world().clock.frameMs = 16;
        run_.report("plays at 60 frames a second");
    }

    // What scripts hold with the plug-in started and nothing in play: its idle.
    run_.waitUntil([&] { return run_.game().logContains("initialization complete"); }, 10 * second);
    const bool freshStart = missionsInPlay(run_).empty();
    const ScriptOwned idleOwned = countScriptOwned(run_.world());
    run_.wait(1500);

    // A game started again: the contracts it restored are played first.
    for (const ContractInPlay& restored : missionsInPlay(run_)) {
        const StartingTown& town = townOfArea(restored.areaId);
        const bool loaded = run_.game().logContains("DrovilEngine: mission loaded. id: " + std::to_string(restored.id));
        run_.note("the game restored contract " + std::to_string(restored.id) + " (" + settingName(restored.settingId) +
                  ", " + town.name + ", status " + std::to_string(restored.status) + ")" +
                  (loaded ? "" : " in its file, but the plug-in did not load it"));
        if (!loaded)
            problems.push_back("contract " + std::to_string(restored.id) + " in play was not restored");
        if (!takeTrainTo(town))
            run_.note("could not get back to " + town.name);
        const CareerOutcome outcome = playContract(restored, town, Plan::Complete);
        run_.waitUntil([&] { return ended(statusOf(run_, restored.id)); }, 5 * second);
        if (ended(statusOf(run_, restored.id)))
            finish(restored.id, restored.settingId, outcome);
        else
            problems.push_back("restored contract " + std::to_string(restored.id) + " never ended");
        if (!collectPay())
            run_.note("could not collect the pay");
    }

    // The heap in use and the memory after each contract of this game (made
    // before the first contract, so that keeping them takes nothing later).
    // They are taken where the next contract begins, on its town's main
    // street: what is alive at one moment depends on where the player stands
    // (a town's crowd, a camp's bodies not yet cleared away), and after a
    // contract he may be anywhere.
    struct MemoryAt {
        int contracts;
        long heapKb, memoryKb;
        std::int64_t pluginBytes;
    };
    std::vector<MemoryAt> heapCourse;
    heapCourse.reserve(static_cast<std::size_t>(wanted + 1));
    const auto noteMemory = [&] {
        if (endedHere_ > 0 && (heapCourse.empty() || heapCourse.back().contracts != endedHere_) &&
            heapCourse.size() < heapCourse.capacity())
            heapCourse.push_back({endedHere_, heapInUseKb(), residentKb(), plugin_cost::heapInUse()});
    };
    int stuck = 0;
    for (int played = endedContracts(); played < wanted && stuck < 3; played = endedContracts()) {
        // Checks of one contract read the log from its start: older lines are not kept.
        run_.game().markRunStart();
        const StartingTown& town = allTowns()[static_cast<std::size_t>(played) % allTowns().size()];
        ContractInPlay contract;
        const bool there = takeTrainTo(town);
        if (there)
            noteMemory();
        if (restless_ && there)
            beforeOffer(town);
        if (!there || !takeOffer(town, contract)) {
            ++stuck;
            run_.note("no contract taken in " + town.name);
            continue;
        }
        if (restless_)
            afterOffer(contract, town);
        const Plan plan = restless_ ? restlessPlan() : planFor(played);
        if (restless_)
            did(plan == Plan::Lose    ? Whim::LeavesArea
                : plan == Plan::Abort ? Whim::AbandonsByMenu
                : plan == Plan::Die   ? Whim::DiesInCamp
                                      : Whim::Completes);
        const CareerOutcome outcome = playContract(contract, town, plan);
        if (run_.playerDown()) {
            // Killed where the plan did not mean him to be: the game brings him back.
            run_.wait(3 * second);
            respawn(town);
        }
        // The plug-in writes its files off its own thread: the ending reaches
        // the disk a frame or two after it is shown.
        run_.waitUntil([&] { return ended(statusOf(run_, contract.id)); }, 5 * second);
        if (!ended(statusOf(run_, contract.id))) {
            problems.push_back("contract " + std::to_string(contract.id) + " never ended");
            ++stuck;
            continue;
        }
        finish(contract.id, contract.settingId, outcome);
        // A clerk may be out of reach for now (the station under fire, the
        // clerk fled): the pay stays owed, for the next station on the way.
        if (!collectPay())
            run_.note("the pay for contract " + std::to_string(contract.id) + " stays owed for now");
        if (restless_)
            checkPromises(problems);
    }
    collectPay();
    run_.wait(3 * second);
    const bool idleAtEnd = idle();
    const ScriptOwned left = countScriptOwned(run_.world());
    // The last figures, where a next contract would begin, as each before them,
    // and before the books are read.
    run_.game().markRunStart();
    if (takeTrainTo(allTowns()[static_cast<std::size_t>(endedContracts()) % allTowns().size()]))
        noteMemory();

    // The books.
    std::map<std::string, CareerBook::Row> rows;
    const long long earned = earnedCents(run_);
    int contracts = 0;
    const int next = nextMissionId(run_);
    const std::map<int, CareerOutcome> booked = book_.outcomes();
    for (int id = 0; id < next; ++id) {
        const ContractInPlay contract = readContract(run_, id);
        if (!ended(contract.status))
            continue;
        ++contracts;
        CareerOutcome outcome =
            contract.status == 2 ? CareerOutcome::Completed : CareerOutcome::Failed;
        if (const auto found = booked.find(id); found != booked.end())
            outcome = found->second;
        rows[settingName(contract.settingId)].outcomes[static_cast<std::size_t>(outcome)] += 1;
    }
    const int pending = pendingCents(run_);
    std::ostringstream table;
    table << "the career: " << contracts << " contracts by setting and outcome\n";
    CareerBook::printTable(table, rows);
    table << "rewards earned " << dollarsText(static_cast<int>(earned)) << ", paid by the clerks "
          << dollarsText(book_.paidCents()) << " in " << book_.payments() << " payments, still owed "
          << dollarsText(pending) << "\n";
    if (restless_) {
        table << "what the restless player did:";
        for (int i = 0; i < whimCount; ++i)
            table << (i ? ", " : " ") << whimName(static_cast<Whim>(i)) << " " << whims_[static_cast<std::size_t>(i)];
        table << "\n";
    }
    table << "left in the world (now, idle at the start):\n";
    const auto now = left.named();
    const auto before = idleOwned.named();
    for (std::size_t i = 0; i < now.size(); ++i)
        table << "  " << now[i].first << ": " << now[i].second << " (" << before[i].second << ")\n";
    // What the process holds is judged by the heap in use: the resident figure
    // is the most the heap has ever reached (freed pages amid the heap stay
    // resident), which rises with each new peak of what is alive at once.
    // After the last contract: as taken where the next would begin, when it was.
    const bool lastTaken = !heapCourse.empty() && heapCourse.back().contracts == endedHere_;
    const long memoryNow = lastTaken ? heapCourse.back().memoryKb : residentKb();
    const long heapNow = lastTaken ? heapCourse.back().heapKb : heapInUseKb();
    long memoryAt20 = 0, heapAt20 = 0;
    for (const MemoryAt& at : heapCourse)
        if (at.contracts == 20)
            memoryAt20 = at.memoryKb, heapAt20 = at.heapKb;
    const auto figures = [&](const char* what, long at20, long now) {
        if (at20 > 0)
            table << what << ": " << at20 << " KiB after the 20th contract of this game, " << now
                  << " KiB after the last (" << endedHere_ << ")\n";
        else
            table << what << ": " << now << " KiB after the last contract (" << endedHere_ << " in this game)\n";
    };
    if (heapNow > 0)
        figures("heap in use (allocated, not freed)", heapAt20, heapNow);
    figures("memory resident (heap and stacks)", memoryAt20, memoryNow);
    if (!heapCourse.empty()) {
        table << "after every tenth contract, heap in use / resident / the plug-in's (KiB):";
        for (const MemoryAt& at : heapCourse)
            if (at.contracts % 10 == 0)
                table << " " << at.contracts << ": " << at.heapKb << "/" << at.memoryKb << "/" << at.pluginBytes / 1024;
        table << "\n";
    }
    // What is alive at one moment depends on the town the player stands in
    // (its crowd, its camps): a round of the eight towns is compared with a
    // round, the one that ends with the 20th contract with the last.
    const auto roundMean = [&](int last) {
        long sum = 0;
        int count = 0;
        for (const MemoryAt& at : heapCourse)
            if (at.contracts > last - 8 && at.contracts <= last)
                sum += at.heapKb, ++count;
        return count == 8 ? sum / count : 0L;
    };
    const long roundTo20 = endedHere_ >= 28 ? roundMean(20) : 0, lastRound = endedHere_ >= 28 ? roundMean(endedHere_) : 0;
    if (roundTo20 > 0 && lastRound > 0)
        table << "heap in use over a round of the towns: " << roundTo20 << " KiB (contracts 13 to 20), " << lastRound
              << " KiB (contracts " << endedHere_ - 7 << " to " << endedHere_ << ")\n";
    table << "resident in all: " << residentKb("VmRSS:") << " KiB\n";
    std::istringstream lines(table.str());
    for (std::string line; std::getline(lines, line);)
        run_.report(line);

    if (contracts < wanted)
        problems.push_back(std::to_string(contracts) + " of " + std::to_string(wanted) + " contracts ended");
    // A cent may go in each payment's rounding.
    const long long accounted = static_cast<long long>(book_.paidCents()) + pending;
    if (std::llabs(accounted - earned) > book_.payments() + 1)
        problems.push_back("paid and owed " + dollarsText(static_cast<int>(accounted)) + " for rewards of " +
                           dollarsText(static_cast<int>(earned)));
    if (pending != 0)
        problems.push_back("pay still owed at the end");
    if (freshStart && idleAtEnd && !(left == idleOwned)) {
        for (std::size_t i = 0; i < now.size(); ++i)
            if (now[i].second != before[i].second)
                problems.push_back(now[i].first + " left: " + std::to_string(now[i].second) + " (idle " +
                                   std::to_string(before[i].second) + ")");
    } else if (freshStart && !idleAtEnd) {
        problems.push_back("the world was not idle at the end");
    }
    // Memory settles within the first contracts; later ones must not add to it.
    const bool byHeap = roundTo20 > 0 && lastRound > 0;
    const long judgedAt20 = byHeap ? roundTo20 : memoryAt20, judgedNow = byHeap ? lastRound : memoryNow;
    if (judgedAt20 > 0 && judgedNow > judgedAt20 + judgedAt20 / 50)
        problems.push_back(std::string(byHeap ? "heap in use over a round of the towns" : "memory") + " grew from " +
                           std::to_string(judgedAt20) + " KiB to " + std::to_string(judgedNow) + " KiB");

    std::string summary = std::to_string(contracts) + " contracts ended";
    for (const std::string& problem : problems)
        summary += "; " + problem;
    if (problems.empty())
        summary += restless_ ? ", every promise held" : ", every reward paid once, nothing left behind";
    return {problems.empty(), summary};
}

} // namespace

ScenarioResult playCareer(ScenarioRun& run) {
    Career career(run, false);
    return career.play();
}

ScenarioResult playRestless(ScenarioRun& run) {
    Career career(run, true);
    return career.play();
}

} // namespace sim
