#include "scenarios/station_play.h"
#include "scenarios/alive_play.h"
#include "scenarios/town_play.h"
#include "world/core/geometry.h"
#include "world/core/world.h"

namespace sim {
namespace {
constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;
// How near the player keeps to a target aboard a moving car to shoot him.
constexpr float shootingRange = 15.0f;

bool logHas(ScenarioRun& run, int id, const std::string& text) {
    return run.game().logContains("ContractExecutor [" + std::to_string(id) + "]: " + text);
}

// The vehicle the ped sits in, 0 when on foot.
int vehicleOf(ScenarioRun& run, int ped) {
    const auto seat = run.world().seats.seatOf(ped);
    return seat ? seat->vehicle : 0;
}

// Shoots the target where he stands; aboard a car that moves, runs (or rides)
// alongside it, shooting whenever in range.
bool takeDownAtStation(ScenarioRun& run, int target) {
    if (run.playsAlive())
        return subdueAlive(run, target, 4 * minute);
    PlayerController& player = run.player();
    player.drawGun();
    const std::uint64_t until = run.world().clock.elapsedMs + 4 * minute;
    bool chasing = false;
    while (!run.isDown(target)) {
        if (run.playerDown() || run.world().clock.elapsedMs >= until)
            return false;
        const EntityRecord* record = run.world().entities.find(target);
        if (!record)
            return false;
        if (player.distanceTo(record->position) > shootingRange) {
            if (!chasing && vehicleOf(run, target)) {
                run.note("the target is aboard and moving off: goes after the car he sits in");
                chasing = true;
            }
            player.goToEntity(target, player.riding() ? Gait::Ride : Gait::Sprint, shootingRange * 0.5f);
            run.wait(200);
            continue;
        }
        player.shootAt(target);
        run.wait(800);
    }
    player.stop();
    return true;
}
// A coach of the scene that has taken a passenger in behind its box and is
// moving off: what a player at the station sees drive away; 0 for none.
int coachLeavingWithPassenger(ScenarioRun& run, const ContractInPlay& contract) {
    for (const auto& [id, record] : run.world().entities.all()) {
        if (record.kind != EntityKind::Vehicle || !record.missionEntity || !record.alive ||
            run.world().trains.trainOfCar(id) != 0 ||
            flatDistance(record.position, contract.coords) > contract.missionAreaRadius ||
            run.world().traffic.speedOf(id) < 0.5f)
            continue;
        const auto found = run.world().seats.occupants().find(id);
        if (found == run.world().seats.occupants().end())
            continue;
        for (const auto& [seat, ped] : found->second)
            if (seat > 0 && run.world().entities.exists(ped))
                return id;
    }
    return 0;
}

// Runs (or rides) alongside the coach and looks at its passenger through the
// sights until the map marks him; the target then, 0 when he is not.
int lookIntoLeavingCoach(ScenarioRun& run, int coach) {
    PlayerController& player = run.player();
    run.note("a coach that called at the platform drives off with a passenger: runs after it for a look at him");
    const std::string targetName = run.lang("blips.contact_target");
    player.drawGun();
    const std::uint64_t until = run.world().clock.elapsedMs + 3 * minute;
    while (!markedTarget(run, targetName)) {
        if (run.playerDown() || run.world().clock.elapsedMs >= until || !run.world().entities.exists(coach))
            break;
        int passenger = 0;
        const auto found = run.world().seats.occupants().find(coach);
        if (found != run.world().seats.occupants().end())
            for (const auto& [seat, ped] : found->second)
                if (seat > 0 && !run.isDown(ped))
                    passenger = ped;
        if (!passenger)
            break;
        const EntityRecord* record = run.world().entities.find(coach);
        if (player.distanceTo(record->position) > shootingRange) {
            player.aimAt(0);
            player.goToEntity(coach, player.riding() ? Gait::Ride : Gait::Sprint, shootingRange * 0.5f);
        } else {
            player.aimAt(passenger);
        }
        run.wait(200);
    }
    player.aimAt(0);
    return markedTarget(run, targetName);
}
} // namespace

bool huntAtStation(ScenarioRun& run, const ContractInPlay& contract, std::string& why) {
    int coach = 0;
    int target = searchTownForTarget(run, contract, [&] {
        coach = coachLeavingWithPassenger(run, contract);
        return coach != 0;
    });
    if (!target && coach)
        target = lookIntoLeavingCoach(run, coach);
    if (!target) {
        why = "the target was not found and recognised at the station";
        return false;
    }
    const int aboard = vehicleOf(run, target);
    run.note(aboard ? "the target already sits aboard: draws his gun on him there"
                    : "draws his gun on the target among the people waiting");
    if (!takeDownAtStation(run, target)) {
        why = "the target was not taken down";
        return false;
    }
    return getAway(run, contract, why);
}

namespace {
// Valentine's station contract, by train (variant 0) or by coach (1).
void writeTakenStationContract(std::map<std::string, std::string>& files, int variant) {
    const std::string area = std::to_string(valentineAreaId());
    const std::string station = "-180.543,629.124,114.09";
    const auto hash = [](const char* name) { return std::to_string(static_cast<std::int32_t>(gameHash(name))); };
    const bool coach = variant == 1;
    files["Missions/0.dat"] =
        "id=0\ncoords=" + station + "\ntemplateId=2\nsettingId=6\nareaId=" + area +
        "\nstatus=0\nbounty=60\ncreatedAt=0\nvariant=" + std::to_string(variant) +
        "\ntargetModel=" + hash("a_m_m_rhdupperclass_01") + "\ntargetOutfitIndex=0\nguardsCount=0\nguardModel=" +
        (coach ? hash("g_m_m_uniduster_01") : "0") + "\ncompanionsCount=0\ncompanionModel=0\nvehicleModel=" +
        (coach ? std::to_string(static_cast<std::int32_t>(0x680D3008)) : "0") +
        "\nvehiclePropsetModel=0\nisTargetACriminal=0\nisTargetArmed=0\npropsetModel=0\nambienceRadius=0\n"
        "spawnDistance=75\ntargetFleeChance=1\nblipRadius=50\nmissionAreaRadius=250\ntargetLootMoney=0\n"
        "companionsLootMoney=0\nguardsLootMoney=0\nblipCoords=" +
        station + "\nbonusesReward=0\n";
    files["Savegame.dat"] = "next_mission_id=1\npending_payment=0\nmissions." + area + "=0\n";
}
} // namespace

void writeTakenTrainContract(std::map<std::string, std::string>& files) {
    writeTakenStationContract(files, 0);
}

void writeTakenCoachContract(std::map<std::string, std::string>& files) {
    writeTakenStationContract(files, 1);
}

namespace {

// The taken station contract the game restored at start-up, and the player
// walked onto its platform; false with the summary said when either fails.
bool onThePlatform(ScenarioRun& run, const std::string& how, ContractInPlay& contract, std::string& summary) {
    run.wait(1500); // the engine restores the contract at start-up
    contract = contractInArea(run, valentineAreaId());
    if (contract.settingId != 6) {
        summary = "the taken train station contract was not restored";
        return false;
    }
    run.note(how);
    if (!run.travelTo(contract.coords, Gait::Walk, 25.0f, 3 * minute)) {
        summary = "the player never reached the station";
        return false;
    }
    run.player().stop();
    return true;
}

} // namespace

bool playTrainMissed(ScenarioRun& run, std::string& summary) {
    ContractInPlay contract;
    if (!onThePlatform(run, "strolls over to the station and loiters on the platform, in no hurry", contract, summary))
        return false;
    const int id = contract.id;
    const bool arrived = run.waitUntil([&] { return logHas(run, id, "train has arrived at the station"); }, 3 * minute);
    if (arrived)
        run.note("a train pulls in; the player watches it from the platform");
    const int target = run.contractTarget();
    const bool boarded = arrived && run.waitUntil([&] { return target && vehicleOf(run, target) != 0; }, minute);
    if (boarded)
        run.note("the target has got on the train");
    const std::string missionFile = "Missions/" + std::to_string(id) + ".dat";
    const bool ended = run.waitUntil(
        [&] {
            if (run.world().clock.frame % 15 != 0)
                return false;
            const int status = intValue(run.readKeyValues(missionFile), "status", -1);
            return status == 2 || status == 4;
        },
        3 * minute);
    const int status = intValue(run.readKeyValues(missionFile), "status", -1);
    const bool lost = logHas(run, id, "mission area abandoned / target lost");
    const bool targetAlive = target && !run.isDown(target);
    summary = std::string(arrived ? "the train stopped at the station" : "no train stopped at the station") +
              (boarded ? ", the target boarded it" : ", the target did not board") +
              (ended ? ", the contract ended with status " + std::to_string(status) : ", the contract never ended") +
              (lost ? " (target lost: the train took him out of the mission area)" : "") +
              (targetAlive ? ", the target alive aboard" : "");
    return arrived && boarded && status == 4 && lost && targetAlive;
}

bool playCoachChase(ScenarioRun& run, std::string& summary) {
    ContractInPlay contract;
    if (!onThePlatform(run, "walks over to the station and waits on the platform, gun away", contract, summary))
        return false;
    const int id = contract.id;
    if (!run.waitUntil([&] { return logHas(run, id, "wagon created. distance from mission coords: "); },
                       3 * minute)) {
        summary = "no coach came for the target";
        return false;
    }
    run.note("a coach is on its way to the station");
    const int target = run.contractTarget();
    int coach = 0;
    const bool boarded = run.waitUntil(
        [&] {
            coach = target ? vehicleOf(run, target) : 0;
            return coach != 0;
        },
        3 * minute);
    if (!boarded) {
        summary = "the target never got into the coach";
        return false;
    }
    const EntityRecord* coachRecord = run.world().entities.find(coach);
    const drovil::Vector3 pickedUpAt = coachRecord ? coachRecord->position : drovil::Vector3();
    const float stoppedAt = flatDistance(pickedUpAt, contract.coords);
    run.note("the coach pulls up " + std::to_string(static_cast<int>(stoppedAt + 0.5f)) +
             " m from the platform and the target climbs in");
    const bool drivenOff = run.waitUntil(
        [&] {
            const EntityRecord* record = run.world().entities.find(coach);
            return record && flatDistance(record->position, pickedUpAt) > 10.0f;
        },
        minute);
    if (drivenOff)
        run.note("the coach drives off with him: the player runs after it");
    const bool down = takeDownAtStation(run, target);
    if (down)
        run.note("the target is down in the coach");
    const bool away = down && escape(run, contract);
    const int status = readContract(run, id).status;
    summary = "the coach stopped " + std::to_string(static_cast<int>(stoppedAt + 0.5f)) +
              " m from the spot, the target boarded" + (drivenOff ? ", it drove off with him" : ", it never left") +
              (down ? ", the player took him down aboard" : ", the player did not take him down") +
              (away ? ", got away" : "") + ", the contract ended with status " + std::to_string(status);
    return stoppedAt <= 20.0f && drivenOff && down && away && status == 2;
}

} // namespace sim
