#include "scenarios/road_contract_play.h"

#include "scenarios/alive_play.h"

#include "world/core/geometry.h"
#include "world/core/world.h"
#include "world/law/law.h"

#include <cmath>

namespace sim {
namespace {
constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;
// How close the player rides beside a wagon to see who sits on it and to shoot.
constexpr float besideWagon = 10.0f;
// Out of town by this much, a shot brings no law.
constexpr float outOfTownMargin = 60.0f;
// How long the player follows a wagon about a town before he shoots there all the same.
constexpr std::uint32_t townPatienceMs = 4 * minute;

bool logHas(ScenarioRun& run, int id, const std::string& text) {
    return run.game().logContains("ContractExecutor [" + std::to_string(id) + "]: " + text);
}

bool outOfTown(const drovil::Vector3& position) {
    const Town* town = Law::townAt(position);
    if (town)
        return false;
    // Clear of every town's edge by the margin.
    for (float dx : {-outOfTownMargin, outOfTownMargin})
        for (float dy : {-outOfTownMargin, outOfTownMargin})
            if (Law::townAt(drovil::Vector3(position.x + dx, position.y + dy, position.z)))
                return false;
    return true;
}

// Rides alongside the ped, eyes on him, until he is recognised; then shoots
// until he is down. Out of town only, when `waitForOpenCountry`.
bool rideDownAndShoot(ScenarioRun& run, int id, int target, bool waitForOpenCountry, std::uint32_t maxMs) {
    PlayerController& player = run.player();
    const std::uint64_t until = run.world().clock.elapsedMs + maxMs;
    // A wagon that keeps to the streets of a big town is taken there after all,
    // and the law is shaken off afterwards.
    const std::uint64_t patienceUntil = run.world().clock.elapsedMs + townPatienceMs;
    bool announced = false;
    while (!run.isDown(target)) {
        if (run.playerDown())
            return run.giveUp("the player went down");
        if (run.world().clock.elapsedMs >= until)
            return run.giveUp("could not take the target down in time");
        const EntityRecord* record = run.world().entities.find(target);
        if (!record)
            return run.giveUp("the target is gone");
        const bool open = !waitForOpenCountry || outOfTown(record->position) ||
                          run.world().clock.elapsedMs >= patienceUntil;
        player.goToEntity(target, player.riding() ? Gait::Ride : Gait::Sprint, open ? besideWagon : 40.0f);
        const bool close = player.distanceTo(record->position) <= besideWagon + 15.0f;
        if (!close || !open) {
            run.wait(300);
            continue;
        }
        const bool recognised = logHas(run, id, "contract target detected");
        if (!recognised) {
            player.drawGun();
            player.aimAt(target);
            run.wait(300);
            continue;
        }
        if (run.playsAlive()) {
            run.note("the man on the card: goes to take him alive");
            return subdueAlive(run, target, static_cast<std::uint32_t>(until - run.world().clock.elapsedMs));
        }
        if (!announced) {
            run.note("the man on the card: opens fire");
            announced = true;
        }
        player.shootAt(target);
        run.wait(800);
    }
    player.stop();
    run.note("the target is down");
    return true;
}

// A contract taken within its spawn distance waits (blocked) until the player
// has been farther: rides off that far first.
bool rideClearOf(ScenarioRun& run, const ContractInPlay& contract) {
    PlayerController& player = run.player();
    const auto file = run.readKeyValues("Missions/" + std::to_string(contract.id) + ".dat");
    const float spawnDistance = floatValue(file, "spawnDistance", 0.0f);
    const drovil::Vector3 centre = contract.coords;
    if (player.distanceTo(centre) > spawnDistance + 5.0f)
        return true;
    run.note("rides off a way, so that the scene may be set");
    const drovil::Vector3 here = player.position();
    float dx = here.x - centre.x, dy = here.y - centre.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length < 1.0f) {
        dx = 1.0f;
        dy = 0.0f;
    } else {
        dx /= length;
        dy /= length;
    }
    const float away = spawnDistance + 30.0f;
    if (!run.rideTo(drovil::Vector3(centre.x + dx * away, centre.y + dy * away, centre.z), 3.0f, 3 * minute))
        return run.giveUp("could not ride off");
    run.wait(2 * second);
    return true;
}

} // namespace

bool huntWagon(ScenarioRun& run, const ContractInPlay& contract) {
    if (!rideClearOf(run, contract))
        return false;
    run.note("rides out to the road where the wagon travels");
    if (!run.rideTo(contract.blipCoords, std::max(5.0f, contract.blipRadius * 0.5f), 10 * minute))
        return run.giveUp("did not reach the search area");
    if (!run.waitUntil([&] { return run.contractTarget() != 0 || run.playerDown(); }, minute))
        return run.giveUp("no wagon came down the road");
    const int target = run.contractTarget();
    run.note("a wagon on the road: rides to cut it off and keep up with it");
    return rideDownAndShoot(run, contract.id, target, false, 8 * minute);
}

bool getAwayFromTown(ScenarioRun& run, const ContractInPlay& contract) {
    if (run.playsAlive() && targetHogtied(run)) {
        AliveTrip trip;
        return bringInAlive(run, contract, trip);
    }
    PlayerController& player = run.player();
    player.holster();
    run.note("rides off, away from the town and its law");
    if (!player.riding() && (!run.callHorse(30 * second) || !player.mount()))
        return run.giveUp(run.playerDown() ? "shot down while waiting for the horse" : "the horse did not come");
    // Away from the town's centre, or from the office when out in the country.
    const Town* town = nullptr;
    for (float reach : {0.0f, 300.0f, 700.0f}) {
        const drovil::Vector3 here = player.position();
        for (float dx : {-reach, 0.0f, reach})
            for (float dy : {-reach, 0.0f, reach})
                if (!town)
                    town = Law::townAt(drovil::Vector3(here.x + dx, here.y + dy, here.z));
    }
    const drovil::Vector3 from = town ? town->centre : contract.coords;
    const std::string missionFile = "Missions/" + std::to_string(contract.id) + ".dat";
    for (int leg = 0; leg < 6; ++leg) {
        const drovil::Vector3 here = player.position();
        float dx = here.x - from.x, dy = here.y - from.y;
        const float length = std::max(1.0f, std::sqrt(dx * dx + dy * dy));
        player.goTo(drovil::Vector3(here.x + dx / length * 600.0f, here.y + dy / length * 600.0f, here.z), Gait::Ride,
                    5.0f);
        run.waitUntil(
            [&] {
                if (run.playerDown() || !player.moving())
                    return true;
                if (run.world().clock.frame % 15 != 0)
                    return false;
                const int status = intValue(run.readKeyValues(missionFile), "status", -1);
                return status == 2 || status == 4;
            },
            2 * minute);
        if (run.playerDown())
            return run.giveUp("shot down while getting away");
        const int status = intValue(run.readKeyValues(missionFile), "status", -1);
        if (status == 2 || status == 4) {
            player.stop();
            return status == 2 || run.giveUp("the contract failed");
        }
    }
    player.stop();
    return run.giveUp("the contract never ended");
}

int prisonWagon(ScenarioRun& run) {
    const int target = run.contractTarget();
    for (const auto& [id, record] : run.world().entities.all())
        if (record.kind == EntityKind::Vehicle && record.alive && record.missionEntity &&
            record.decorators.count("wagon_block_honor"))
            return id;
    (void)target;
    return 0;
}

bool enterOfficeArea(ScenarioRun& run, const ContractInPlay& contract) {
    const drovil::Vector3 office = contract.coords;
    // A contract taken on the office's doorstep waits until the player has been away.
    if (!rideClearOf(run, contract))
        return false;
    run.note("rides back to watch the sheriff's office");
    if (!run.rideTo(office, contract.blipRadius * 0.5f, 3 * minute))
        return run.giveUp("did not reach the office");
    return run.waitUntil([&] { return loggedStatus(run, contract.id) == 1; }, 20 * second) ||
           run.giveUp("the hunt never started at the office");
}

bool huntPrisoner(ScenarioRun& run, const ContractInPlay& contract) {
    PlayerController& player = run.player();
    const int id = contract.id;
    if (!enterOfficeArea(run, contract))
        return false;
    if (!run.waitUntil([&] { return run.contractTarget() != 0; }, 20 * second))
        return run.giveUp("no prisoner in the cell");
    const int target = run.contractTarget();
    run.note("waits in the saddle by the office for the prison wagon, an eye on the prisoner");
    const bool moved = run.waitUntil(
        [&] {
            if (run.playerDown() || run.isDown(target))
                return true;
            const EntityRecord* record = run.world().entities.find(target);
            if (record && player.distanceTo(record->position) > 12.0f)
                player.goToEntity(target, Gait::Walk, 10.0f);
            return logHas(run, id, "prison wagon's driver is not the player") ||
                   logHas(run, id, "target will attempt to escape") ||
                   logHas(run, id, "target is fleeing");
        },
        15 * minute);
    player.stop();
    if (!moved)
        return run.giveUp("the prison wagon never took the prisoner away");
    if (run.isDown(target))
        return true;
    // After him on the horse if it comes, on foot if not.
    if (run.callHorse(20 * second))
        player.mount();
    if (run.isDown(target)) {
        run.note("the jail guard has brought the prisoner down");
        return true;
    }
    if (logHas(run, id, "prison wagon's driver is not the player")) {
        run.note("the wagon leaves with the prisoner: follows it out of town");
        return rideDownAndShoot(run, id, target, true, 10 * minute);
    }
    run.note("the prisoner runs: rides after him");
    return rideDownAndShoot(run, id, target, false, 5 * minute);
}

bool stealPrisonWagon(ScenarioRun& run, const ContractInPlay& contract) {
    PlayerController& player = run.player();
    if (!run.waitUntil([&] { return prisonWagon(run) != 0; }, 30 * second))
        return run.giveUp("no prison wagon on the roads");
    const int wagon = prisonWagon(run);
    run.note("rides out to meet the prison wagon on the road");
    int driver = 0;
    const bool met = run.waitUntil(
        [&] {
            const EntityRecord* record = run.world().entities.find(wagon);
            if (!record || run.playerDown())
                return true;
            driver = run.world().seats.occupant(wagon, -1);
            player.goToEntity(wagon, Gait::Ride, 8.0f);
            return player.distanceTo(record->position) <= 15.0f && outOfTown(record->position);
        },
        5 * minute);
    if (!met || run.playerDown() || driver == 0)
        return run.giveUp("could not meet the prison wagon out of town");
    run.note("shoots the driver off the box");
    if (!run.shootUntilDown(driver, minute))
        return run.giveUp("the driver would not go down");
    player.holster();
    if (!run.travelToEntity(wagon, Gait::Ride, 3.0f, 30 * second))
        return run.giveUp("could not get to the wagon");
    player.dismount();
    if (!player.enterVehicle(wagon, -1))
        return run.giveUp("could not climb onto the driver's seat");
    run.note("takes the reins of the prison wagon");
    (void)contract;
    return true;
}

} // namespace sim

namespace sim {
namespace {
constexpr std::uint32_t destinationBlipStyle = 0x0c19da63;

const BlipRecord* destinationBlip(ScenarioRun& run) {
    for (const auto& [id, blip] : run.world().blips.all())
        if (blip.kind == BlipKind::Radius && blip.style == destinationBlipStyle)
            return &blip;
    return nullptr;
}

bool helpShown(ScenarioRun& run, const std::string& text) {
    for (const HelpBoxShown& shown : run.world().hud.helpBoxes)
        if (shown.text == text)
            return true;
    return false;
}
} // namespace

void writeTakenPrisonerContract(std::map<std::string, std::string>& files) {
    const std::string area = std::to_string(valentineAreaId());
    const std::string office = "-275.256,801.303,118.397";
    files["Missions/0.dat"] =
        "id=0\ncoords=" + office + "\ntemplateId=5\nsettingId=8\nareaId=" + area +
        "\nstatus=0\nbounty=50\ncreatedAt=0\nvariant=0\ntargetModel=" +
        std::to_string(static_cast<std::int32_t>(gameHash("g_m_m_unicriminals_01"))) +
        "\ntargetOutfitIndex=0\nguardsCount=0\nguardModel=0\ncompanionsCount=0\ncompanionModel=0\nvehicleModel=" +
        std::to_string(static_cast<std::int32_t>(gameHash("stagecoach004_2x"))) +
        "\nvehiclePropsetModel=0\nisTargetACriminal=1\nisTargetArmed=0\npropsetModel=0\nambienceRadius=0\n"
        "spawnDistance=75\ntargetFleeChance=0\nblipRadius=30\nmissionAreaRadius=400\ntargetLootMoney=0\n"
        "companionsLootMoney=0\nguardsLootMoney=0\nblipCoords=" +
        office + "\nbonusesReward=0\n";
    files["Savegame.dat"] = "next_mission_id=1\npending_payment=0\nmissions." + area + "=0\n";
}

void startInValentineCentre(World& world) {
    EntityRecord& player = world.playerPed();
    player.position = drovil::Vector3(-231.0f, 703.0f, world.geography.groundHeight(-231.0f, 703.0f));
}

bool playPrisonWagonStolen(ScenarioRun& run, std::string& summary) {
    PlayerController& player = run.player();
    run.wait(1500); // the engine restores the contract at start-up
    const ContractInPlay contract = contractInArea(run, valentineAreaId());
    const int id = contract.id;
    if (contract.settingId != 8) {
        summary = "the taken prisoner-transport contract was not restored";
        return false;
    }
    if (!enterOfficeArea(run, contract) || !stealPrisonWagon(run, contract)) {
        summary = "the player never sat on the prison wagon's box";
        return false;
    }
    const std::string help = run.lang("contract.transported_prisoner.drive_to_police_station");
    const bool hinted = run.waitUntil([&] { return helpShown(run, help); }, 5 * second);
    const BlipRecord* blip = destinationBlip(run);
    if (!blip) {
        summary = std::string(hinted ? "the drive hint showed" : "no drive hint") + ", but no blip at the wagon stop";
        return false;
    }
    const drovil::Vector3 stop = blip->position;
    run.note("drives the prison wagon to the marked stop by the office");
    player.goTo(stop, Gait::Walk, 2.0f);
    const bool arrived =
        run.waitUntil([&] { return logHas(run, id, "prison wagon arrived at the police station"); }, 4 * minute);
    run.wait(500);
    const bool blipGone = destinationBlip(run) == nullptr;
    const bool boarded =
        arrived && run.waitUntil([&] { return logHas(run, id, "target ped has boarded the prison wagon"); },
                                 3 * minute);
    bool guardSetOn = false;
    if (boarded) {
        run.note("the prisoner is aboard: drives off before the jail guard climbs on");
        const drovil::Vector3 here = player.position();
        player.goTo(drovil::Vector3(here.x + 150.0f, here.y - 150.0f, here.z), Gait::Walk, 3.0f);
        guardSetOn = run.waitUntil(
            [&] { return logHas(run, id, "player's trying to leave the jail guard behind - starting combat with player"); },
            20 * second);
        player.stop();
    }
    summary = std::string(hinted ? "drive hint shown" : "no drive hint") + ", destination blip shown" +
              (arrived ? ", arrived at the office" : ", never arrived at the office") +
              (blipGone ? " (blip removed)" : " (blip still shown)") +
              (boarded ? ", prisoner loaded" : ", prisoner not loaded") +
              (guardSetOn ? ", the jail guard left behind turned on the player" : ", the jail guard stayed calm");
    return hinted && arrived && blipGone && boarded && guardSetOn;
}

} // namespace sim
