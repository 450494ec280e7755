#include "scenarios/alive_scenarios.h"

#include "scenarios/alive_play.h"
#include "scenarios/contract_hunts.h"
#include "scenarios/contract_play.h"
#include "scenarios/town_play.h"
#include "world/core/world.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace sim {
namespace {
constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;

ScenarioResult failed(const std::string& why) {
    return {false, why};
}

std::string hashText(const char* name) {
    return std::to_string(static_cast<std::int32_t>(gameHash(name)));
}

// A mission file of Valentine's slot 0, every key in the file's own order.
std::string missionFile(const std::string& coords, int templateId, int settingId, int bounty, int variant,
                        const std::string& target, int guards, const std::string& guard, int companions,
                        const std::string& companion, const std::string& vehicle, const std::string& load,
                        bool armed, float flee, float blipRadius, float spawnDistance, float areaRadius) {
    std::ostringstream out;
    out << "id=0\ncoords=" << coords << "\ntemplateId=" << templateId << "\nsettingId=" << settingId
        << "\nareaId=" << valentineAreaId() << "\nstatus=0\nbounty=" << bounty << "\ncreatedAt=0\nvariant=" << variant
        << "\ntargetModel=" << target << "\ntargetOutfitIndex=0\nguardsCount=" << guards << "\nguardModel=" << guard
        << "\ncompanionsCount=" << companions << "\ncompanionModel=" << companion << "\nvehicleModel=" << vehicle
        << "\nvehiclePropsetModel=" << load << "\nisTargetACriminal=0\nisTargetArmed=" << (armed ? 1 : 0)
        << "\npropsetModel=0\nambienceRadius=0\nspawnDistance=" << spawnDistance << "\ntargetFleeChance=" << flee
        << "\nblipRadius=" << blipRadius << "\nmissionAreaRadius=" << areaRadius
        << "\ntargetLootMoney=3500\ncompanionsLootMoney=0\nguardsLootMoney=0\nblipCoords=" << coords
        << "\nbonusesReward=0\n";
    return out.str();
}

void valentineSlot(ScenarioFiles& files) {
    files["Savegame.dat"] = "next_mission_id=1\npending_payment=0\nmissions." + std::to_string(valentineAreaId()) + "=0\n";
}

ContractInPlay takenContract(ScenarioRun& run) {
    run.wait(1500); // the engine restores the contract at start-up
    return contractInArea(run, valentineAreaId());
}

int expectedPayCents(ScenarioRun& run, int dollars) {
    return static_cast<int>(std::lround(static_cast<double>(dollars) * pricesScale(run) * 100.0));
}

// The taken street contract's target found, lassoed and hogtied, on his
// shoulder and laid across the horse; false with why.
bool streetTargetAcrossTheHorse(ScenarioRun& run, ContractInPlay& contract, int& target, std::string& why) {
    contract = takenContract(run);
    if (contract.settingId != 7) {
        why = "the taken street contract was not restored";
        return false;
    }
    target = searchTownForTarget(run, contract);
    if (!target || !subdueAlive(run, target, 2 * minute) || !targetHogtied(run)) {
        why = "the target was not found and hogtied";
        return false;
    }
    PlayerController& player = run.player();
    if (!run.travelToEntity(target, Gait::Walk, 1.0f, 30 * second) || !player.pickUp(target) ||
        !run.callHorse(30 * second) || !player.layAcrossHorse()) {
        why = "the hogtied target was not laid across the horse";
        return false;
    }
    run.note("lays the hogtied target across his horse");
    return true;
}

} // namespace

void giveAliveBonus(ScenarioFiles& files) {
    std::string& mission = files["Missions/0.dat"];
    const auto bountyAt = mission.find("\nbounty=");
    const int bounty = bountyAt == std::string::npos ? 0 : std::atoi(mission.c_str() + bountyAt + 8);
    const auto at = mission.find("bonusesReward=0");
    if (at != std::string::npos)
        mission.replace(at, 15, "bonusesReward=" + std::to_string((bounty + 1) / 2));
}

void writeTakenHotelContract(ScenarioFiles& files) {
    // A wealthy traveller in a room of Valentine's hotel, with a lady.
    files["Missions/0.dat"] = missionFile("-325.663,765.258,117.437", 2, 2, 45, 0, hashText("a_m_m_rhdupperclass_01"), 0,
                                          "0", 1, hashText("a_f_m_htlfancytravellers_01"), "0", "0", false, 1.0f,
                                          30.0f, 75.0f, 90.0f);
    valentineSlot(files);
}

void writeTakenWagonContract(ScenarioFiles& files) {
    // A rough traveller driving a chuckwagon east of Valentine, one guard beside him.
    files["Missions/0.dat"] = missionFile("30.84,646.14,117.935", 1, 1, 40, 2, hashText("a_m_m_griroughtravellers_01"),
                                          1, hashText("a_m_m_griroughtravellers_01"), 0, "0",
                                          hashText("chuckwagon000x"), hashText("pg_vehload_crates01"), true, 0.0f,
                                          90.0f, 225.0f, 270.0f);
    valentineSlot(files);
}

ScenarioResult playContract(ScenarioRun& run, const ContractInPlay& contract) {
    const ContractHunt hunt = huntFor(contract.settingId);
    if (!hunt)
        return failed(std::string("the contract of this seed is a ") + settingName(contract.settingId) +
                      " contract, which the scripted player cannot play yet: try another --seed");
    std::string why;
    if (!hunt(run, contract, why))
        return failed(contract.settingId == 6 ? why + " (" + contractKind(contract) + ")" : why);

    const float pending = pendingBalance(run);
    const int expectedCents = static_cast<int>(std::lround(static_cast<double>(pending) * pricesScale(run) * 100.0));
    int paidCents = 0;
    if (!collectPayment(run, paidCents))
        return failed("the reward was not collected");
    run.wait(2000);
    const ContractInPlay finished = readContract(run, contract.id);
    const int pendingAfter = intValue(run.readKeyValues("Savegame.dat"), "pending_payment", -1);
    std::ostringstream summary;
    summary << contractKind(contract) << " contract " << contract.id << ": ";
    bool alive = true;
    if (run.playsAlive()) {
        // Alive: handed to the sheriff, the bounty paid with the bonus the card promised.
        alive = run.game().logContains("ContractExecutor [" + std::to_string(contract.id) +
                                       "]: target brought in alive") &&
                contract.bonusesReward > 0 && finished.bonusesReward == contract.bonusesReward &&
                std::abs(expectedCents - expectedPayCents(run, contract.bounty + contract.bonusesReward)) <= 1;
        summary << (alive ? "brought in alive, " : "not brought in alive, ") << "bounty $" << contract.bounty
                << " + bonus $" << finished.bonusesReward;
    } else {
        summary << "bounty $" << contract.bounty;
    }
    summary << ", paid " << dollarsText(paidCents) << " (expected " << dollarsText(expectedCents)
            << "), mission status " << finished.status << ", pending payment " << pendingAfter;
    const bool paidRight = std::abs(paidCents - expectedCents) <= 1 && paidCents > 0;
    return {alive && paidRight && finished.status == 2 && pendingAfter == 0, summary.str()};
}

ScenarioResult playAliveTaken(ScenarioRun& run) {
    const ContractInPlay contract = takenContract(run);
    if (contract.id < 0 || contract.settingId < 0)
        return failed("the taken contract was not restored");
    return playContract(run, contract);
}

ScenarioResult playAliveEscape(ScenarioRun& run) {
    ContractInPlay contract;
    int target = 0;
    std::string why;
    if (!streetTargetAcrossTheHorse(run, contract, target, why))
        return failed(why);
    run.note("stops to rest his horse on the way, the prisoner across its back");
    const bool loose = run.waitUntil([&] { return !targetHogtied(run) || run.playerDown(); },
                                     static_cast<std::uint32_t>(Restraints::escapeMaxMs) + 10 * second);
    if (!loose || run.playerDown())
        return failed("the prisoner never struggled free");
    run.note("the prisoner has struggled free and runs");
    const bool huntAgain = run.waitUntil(
        [&] { return run.game().logContains("ContractExecutor [0]: the target is no longer hogtied"); }, 5 * second);
    AliveTrip trip;
    if (!bringInAlive(run, contract, trip))
        return failed("the loose prisoner was not brought in");
    int paidCents = 0;
    if (!collectPayment(run, paidCents))
        return failed("the reward was not collected");
    const ContractInPlay finished = readContract(run, contract.id);
    const int owed = trip.handedOver ? contract.bounty + contract.bonusesReward : contract.bounty;
    std::ostringstream summary;
    summary << "the prisoner struggled free " << trip.breakouts << " time(s), the hunt went on"
            << (huntAgain ? "" : " (not logged)") << "; "
            << (trip.handedOver ? "caught again and brought in alive" : "shot and paid as dead") << ": paid "
            << dollarsText(paidCents) << " (expected " << dollarsText(expectedPayCents(run, owed))
            << "), mission status " << finished.status;
    const bool right = trip.breakouts >= 1 && huntAgain && finished.status == 2 &&
                       std::abs(paidCents - expectedPayCents(run, owed)) <= 1;
    return {right, summary.str()};
}

ScenarioResult playAliveDies(ScenarioRun& run) {
    ContractInPlay contract;
    int target = 0;
    std::string why;
    if (!streetTargetAcrossTheHorse(run, contract, target, why))
        return failed(why);
    PlayerController& player = run.player();
    if (!player.mount())
        return failed("could not mount with the prisoner across the horse");
    const BlipRecord* office = officeBlip(run);
    if (!office)
        return failed("the map shows no sheriff's office");
    run.note("rides for the sheriff's office");
    player.goTo(office->position, Gait::Ride, 5.0f);
    run.wait(6 * second);
    player.stop();
    run.note("draws on the prisoner across his horse and shoots him");
    if (!run.shootUntilDown(target, minute))
        return failed("the prisoner would not die");
    const bool downLogged =
        run.waitUntil([&] { return run.game().logContains("ContractExecutor [0]: the hogtied target died"); },
                      5 * second);
    AliveTrip trip;
    if (!bringInAlive(run, contract, trip))
        return failed("the player did not get away after the prisoner died");
    int paidCents = 0;
    if (!collectPayment(run, paidCents))
        return failed("the reward was not collected");
    const ContractInPlay finished = readContract(run, contract.id);
    const int owedCents = expectedPayCents(run, contract.bounty);
    std::ostringstream summary;
    summary << "the prisoner died across the horse" << (downLogged ? "" : " (not logged)")
            << "; the player got away: paid " << dollarsText(paidCents) << " (expected " << dollarsText(owedCents)
            << ", the bounty without the $" << contract.bonusesReward << " bonus), bonus in the mission file $"
            << finished.bonusesReward << ", mission status " << finished.status;
    const bool right = downLogged && trip.died && finished.status == 2 && finished.bonusesReward == 0 &&
                       std::abs(paidCents - owedCents) <= 1;
    return {right, summary.str()};
}

} // namespace sim
