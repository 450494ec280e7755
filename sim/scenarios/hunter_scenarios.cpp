// The hunter camp scenarios: a taken contract on a hunter camping in the hills
// east of Valentine, watched from cover by day (a hunt: a kill brought home, or
// nothing found and back empty-handed) and from dusk into the night (out after
// game as the sun goes down, back by his fire at nightfall, and there all night).
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

void atHunterDusk(World& world) {
    world.clock.startMinuteOfDay = 16 * 60 + 30;
}

namespace {
bool nightHasFallen(const World& world) {
    const int hour = world.clock.hourOfDay();
    return hour >= 18 || hour < 7;
}

std::string seenText(const HuntWatched& watched) {
    return (watched.seen.empty() ? std::string("nothing") : joined(watched.seen)) +
           (watched.cursed ? " (an animal got away first)" : "");
}

std::string emptyHandedText(const HuntWatched& watched) {
    return "came back to camp empty-handed " + std::to_string(watched.cameBackEmptyHanded) +
           (watched.cameBackEmptyHanded == 1 ? " time" : " times");
}
} // namespace

ScenarioResult playHunterDay(ScenarioRun& run) {
    const ContractInPlay contract = takenHunterCamp(run);
    if (contract.settingId != 4)
        return {false, "the taken hunter camp contract was not restored"};
    if (!takeCoverNearCamp(run, contract, 75.0f))
        return {false, "the player never got into cover by the camp"};
    run.note("watches the camp from the bushes");
    // Until he brings a kill home, or his day is over and he is back at camp.
    const HuntWatched watched = watchHunter(run, contract, 25 * minute, [&](const HuntWatched& seen) {
        return seen.wholeCycle() || (nightHasFallen(run.world()) && !seen.out);
    });
    if (watched.wholeCycle())
        return {true, "watched a whole hunt: " + seenText(watched) +
                          (watched.cameBackEmptyHanded > 0 ? "; before that he " + emptyHandedText(watched) : "")};
    if (watched.cameBack())
        return {true, "he " + emptyHandedText(watched) + ", nothing brought down: " + seenText(watched)};
    return {false, "saw only part of a hunt: " + seenText(watched)};
}

ScenarioResult playHunterNight(ScenarioRun& run) {
    const ContractInPlay contract = takenHunterCamp(run);
    if (contract.settingId != 4)
        return {false, "the taken hunter camp contract was not restored"};
    if (!takeCoverNearCamp(run, contract, 60.0f))
        return {false, "the player never got into cover by the camp"};
    run.note("watches the camp from the bushes as the sun goes down");
    const HuntWatched watched = watchHunter(run, contract, 12 * minute, [&](const HuntWatched& seen) {
        return seen.hunted() && seen.atCampNow && nightHasFallen(run.world());
    });
    if (!watched.hunted())
        return {false, "the hunter never went after game at dusk: " + seenText(watched)};
    if (!watched.atCampNow || !nightHasFallen(run.world()))
        return {false, "the hunter was still out after dark (" + clockText(run.world()) + "): " + seenText(watched)};
    const std::string back = "out after game at dusk (" + seenText(watched) + "), back at his fire by " +
                             clockText(run.world());
    run.note("night has fallen and the hunter is back by his fire");
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
            back + (stayed ? "; stayed at camp all night (never farther than " : "; then left camp (") +
                std::to_string(static_cast<int>(farthest)) + " m from the fire until " + clockText(run.world()) + ")" +
                (recognised ? "; crept up and made him out by the fire" : "; never made him out")};
}

} // namespace sim
