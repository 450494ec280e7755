// The hunter camp scenarios: a taken contract on a hunter camping in the hills
// east of Valentine, watched from cover by day (a whole hunt) and by night
// (he stays by his fire).
#include "scenarios/hunter_play.h"
#include "scenarios/scenarios.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

namespace sim {
namespace {
constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;

ContractInPlay takenHunterCamp(ScenarioRun& run) {
    run.wait(1500); // the engine restores the contract at start-up
    return contractInArea(run, valentineAreaId());
}

std::string clockText(const World& world) {
    const int hour = world.clock.hourOfDay(), minute = world.clock.minuteOfHour();
    return (hour < 10 ? "0" : "") + std::to_string(hour) + (minute < 10 ? ":0" : ":") + std::to_string(minute);
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}
} // namespace

void writeTakenHunterContract(std::map<std::string, std::string>& files) {
    const std::string area = std::to_string(valentineAreaId());
    files["Missions/0.dat"] =
        "id=0\ncoords=187.54,798.92,126.223\ntemplateId=3\nsettingId=4\nareaId=" + area +
        "\nstatus=0\nbounty=35\ncreatedAt=0\nvariant=0\ntargetModel=" +
        std::to_string(static_cast<std::int32_t>(gameHash("a_m_m_rancher_01"))) +
        "\ntargetOutfitIndex=0\nguardsCount=0\nguardModel=0\ncompanionsCount=1\ncompanionModel=" +
        std::to_string(static_cast<std::int32_t>(gameHash("a_f_m_familytravelers_cool_01"))) +
        "\nvehicleModel=0\nvehiclePropsetModel=0\nisTargetACriminal=0\nisTargetArmed=1\npropsetModel=" +
        std::to_string(static_cast<std::int32_t>(gameHash("pg_ambient_campfire04x_tent"))) +
        "\nambienceRadius=0\nspawnDistance=250\ntargetFleeChance=0.2\nblipRadius=90\nmissionAreaRadius=270\n"
        "targetLootMoney=0\ncompanionsLootMoney=0\nguardsLootMoney=0\nblipCoords=195.3,790.1,126.223\n"
        "bonusesReward=0\n";
    files["Savegame.dat"] = "next_mission_id=1\npending_payment=0\nmissions." + area + "=0\n";
}

void atHunterNight(World& world) {
    world.clock.startMinuteOfDay = 23 * 60;
}

ScenarioResult playHunterDay(ScenarioRun& run) {
    const ContractInPlay contract = takenHunterCamp(run);
    if (contract.settingId != 4)
        return {false, "the taken hunter camp contract was not restored"};
    if (!takeCoverNearCamp(run, contract, 75.0f))
        return {false, "the player never got into cover by the camp"};
    run.note("watches the camp from the bushes");
    const HuntWatched watched = watchHunter(run, contract, 25 * minute, true);
    const bool whole = watched.wholeCycle();
    return {whole, std::string(whole ? "watched a whole hunt: " : "saw only part of a hunt: ") +
                       (watched.seen.empty() ? std::string("nothing") : joined(watched.seen)) +
                       (watched.cursed ? " (an animal got away first)" : "")};
}

ScenarioResult playHunterNight(ScenarioRun& run) {
    const ContractInPlay contract = takenHunterCamp(run);
    if (contract.settingId != 4)
        return {false, "the taken hunter camp contract was not restored"};
    if (!takeCoverNearCamp(run, contract, 60.0f))
        return {false, "the player never got into cover by the camp"};
    run.note("watches the camp fire from the bushes");
    const int hunter = run.contractTarget();
    float farthest = 0.0f;
    const std::size_t shotsBefore = run.world().combat.shots().total();
    run.waitUntil(
        [&] {
            if (const EntityRecord* record = run.world().entities.find(hunter))
                farthest = std::max(farthest, flatDistance(record->position, contract.coords));
            return false;
        },
        8 * minute);
    const bool stayed = farthest <= 20.0f && run.world().combat.shots().total() == shotsBefore;
    run.note(stayed ? "the hunter never left his fire" : "the hunter went off into the dark");
    const bool recognised = stalkHunter(run, contract);
    return {stayed && recognised,
            std::string(stayed ? "the hunter stayed at camp all night (never farther than " : "the hunter left camp (") +
                std::to_string(static_cast<int>(farthest)) + " m from the fire until " + clockText(run.world()) + ")" +
                (recognised ? "; crept up and made him out by the fire" : "; never made him out")};
}

} // namespace sim
