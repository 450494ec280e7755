// The saloon scenarios: a contract already taken on a target drinking in
// Valentine's saloon, played with the lure (late at night the player waits
// until the target reels drunk, pays a working girl and watches him follow her
// out) and without it (the target walks out on his own after three minutes).
#include "scenarios/saloon_play.h"
#include "scenarios/saloon_scenarios.h"

#include "world/core/geometry.h"
#include "world/core/strings.h"
#include "world/core/world.h"

#include <cstdint>
#include <sstream>

namespace sim {
namespace {
constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;
constexpr const char* leavingLine = "target is leaving the saloon";

ContractInPlay takenSaloon(ScenarioRun& run) {
    run.wait(1500); // the engine restores the contract at start-up
    return contractInArea(run, valentineAreaId());
}

ScenarioResult failedWith(const std::string& why) {
    return {false, why};
}

std::string metres(float value) {
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(1);
    text << value << " m";
    return text.str();
}
} // namespace

void writeTakenSaloonContract(ScenarioFiles& files) {
    const std::string area = std::to_string(valentineAreaId());
    const std::string coords = "-240.996,769.99,118.085";
    const std::string gang = std::to_string(static_cast<std::int32_t>(gameHash("g_m_m_unicriminals_01")));
    // Every key of a mission file, in the file's own order.
    files["Missions/0.dat"] =
        "id=0\ncoords=" + coords + "\ntemplateId=0\nsettingId=5\nareaId=" + area +
        "\nstatus=0\nbounty=55\ncreatedAt=0\nvariant=1\ntargetModel=" + gang +
        "\ntargetOutfitIndex=0\nguardsCount=1\nguardModel=" + gang +
        "\ncompanionsCount=0\ncompanionModel=0\nvehicleModel=0\nvehiclePropsetModel=0\nisTargetACriminal=1\n"
        "isTargetArmed=1\npropsetModel=0\nambienceRadius=0\nspawnDistance=75\ntargetFleeChance=0\nblipRadius=30\n"
        "missionAreaRadius=90\ntargetLootMoney=4000\ncompanionsLootMoney=0\nguardsLootMoney=2500\nblipCoords=" +
        coords + "\nbonusesReward=0\n";
    files["Savegame.dat"] = "next_mission_id=1\npending_payment=0\nmissions." + area + "=0\n";
}

void lateNightWithCash(World& world) {
    world.clock.startMinuteOfDay = 23 * 60;
    world.player.cashCents = 2000;
}

void withCash(World& world) {
    world.player.cashCents = 2000;
}

ScenarioResult playSaloonLure(ScenarioRun& run) {
    const ContractInPlay contract = takenSaloon(run);
    if (contract.settingId != 5)
        return failedWith("the taken saloon contract was not restored");
    SaloonOutcome outcome;
    std::string why;
    if (!huntInSaloon(run, contract, SaloonWay::LureWhenDrunk, outcome, why))
        return failedWith(why);
    if (!outcome.lureAccepted)
        return failedWith("the target turned the girl down");
    if (outcome.girlKiller != outcome.target)
        return failedWith("the girl was not attacked by the target at the spot");
    // Where she led him: about 25 m from where he stood, away from the road.
    const float led = flatDistance(outcome.targetAtLure, outcome.girlDiedAt);
    const auto node = run.world().geography.nearestRoadNode(outcome.targetAtLure);
    const bool roadFound = node.has_value();
    const drovil::Vector3 road = roadFound ? node->position : drovil::Vector3();
    const float towardsRoad = (road.x - outcome.targetAtLure.x) * (outcome.girlDiedAt.x - outcome.targetAtLure.x) +
                              (road.y - outcome.targetAtLure.y) * (outcome.girlDiedAt.y - outcome.targetAtLure.y);
    if (led < 17.0f || led > 33.0f)
        return failedWith("she was attacked " + metres(led) + " from where he had stood, not about 25 m");
    if (!roadFound || towardsRoad >= 0.0f)
        return failedWith("she led him towards the road, not away from it");
    if (!getAway(run, contract, why))
        return failedWith(why);
    const ContractInPlay finished = readContract(run, contract.id);
    return {finished.status == 2, "lured out and attacked " + metres(led) + " from where he had stood, away from "
                                  "the road; taken there; mission status " + std::to_string(finished.status)};
}

ScenarioResult playSaloonWait(ScenarioRun& run) {
    const ContractInPlay contract = takenSaloon(run);
    if (contract.settingId != 5)
        return failedWith("the taken saloon contract was not restored");
    // The saloon's clock as the target walks out: the frame the plug-in says so.
    int timerAtLeave = -1;
    int lastTimerBefore = -1;
    SaloonOutcome outcome;
    std::string why;
    // Watched frame by frame alongside the hunt.
    struct Watch {
        ScenarioRun& run;
        int& atLeave;
        int& before;
    } watch{run, timerAtLeave, lastTimerBefore};
    run.onEveryFrame([&watch] {
        if (watch.atLeave >= 0)
            return;
        const int timer = watch.run.world().secondTimer.read(watch.run.world().clock.elapsedMs);
        if (watch.run.game().logContains(leavingLine))
            watch.atLeave = timer;
        else
            watch.before = timer;
    });
    const bool down = huntInSaloon(run, contract, SaloonWay::Wait, outcome, why);
    run.onEveryFrame(nullptr);
    if (!down)
        return failedWith(why);
    if (!outcome.targetLeft || timerAtLeave < 0)
        return failedWith("the target never left the saloon on his own");
    if (timerAtLeave < 180001 || lastTimerBefore >= 180001)
        return failedWith("the target left at " + std::to_string(timerAtLeave) + " ms, not at 180001 ms");
    if (!getAway(run, contract, why))
        return failedWith(why);
    const ContractInPlay finished = readContract(run, contract.id);
    return {finished.status == 2, "the target stayed until " + std::to_string(lastTimerBefore) +
                                      " ms and left at " + std::to_string(timerAtLeave) +
                                      " ms; taken in the street; mission status " + std::to_string(finished.status)};
}

} // namespace sim
