#include "scenarios/hunter_play.h"

#include "world/core/geometry.h"
#include "world/core/world.h"
#include "world/wildlife/animals.h"

#include <cmath>

namespace sim {
namespace {
constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;
// The hunter counts as out of camp this far from it, and back within this.
constexpr float outOfCamp = 20.0f;
constexpr float atCamp = 10.0f;
// The player makes the hunter out through the sights from this close.
constexpr float aimingDistance = 45.0f;
// Beyond this he walks to catch up; nearer he creeps.
constexpr float creepWithin = 70.0f;
// A contract on hold is taken up again from beyond the scene's spawn distance.
constexpr float onHoldRetreat = 330.0f;

bool recognised(ScenarioRun& run, int id) {
    return run.game().logContains("ContractExecutor [" + std::to_string(id) + "]: contract target detected");
}

// A dead game animal near the hunter (the kill he walks up to).
int deadAnimalNear(ScenarioRun& run, const drovil::Vector3& where, float radius) {
    for (const auto& [id, animal] : run.world().wildlife.all()) {
        const EntityRecord* record = run.world().entities.find(id);
        if (record && !record->alive && flatDistance(record->position, where) <= radius)
            return id;
    }
    return 0;
}
} // namespace

bool takeCoverNearCamp(ScenarioRun& run, const ContractInPlay& contract, float metres) {
    PlayerController& player = run.player();
    // Taken too near the camp, the contract is on hold: ride off and come back
    // from a distance.
    if (loggedStatus(run, contract.id) == 3) {
        run.note("the contract is on hold this close to the camp: rides off to come back later");
        if (!run.rideTo(pointTowards(contract.coords, player.position(), onHoldRetreat), 4.0f, 5 * minute) ||
            !run.waitUntil([&] { return loggedStatus(run, contract.id) != 3; }, minute))
            return run.giveUp("the contract stayed on hold");
    }
    const drovil::Vector3 hide = pointTowards(contract.coords, player.position(), metres);
    run.note("rides towards the hunter's camp");
    if (!run.rideTo(pointTowards(contract.coords, player.position(), metres + 60.0f), 4.0f, 10 * minute))
        return run.giveUp("did not reach the camp");
    player.dismount();
    player.crouch(true);
    run.note("leaves the horse and creeps into the bushes " + std::to_string(static_cast<int>(metres)) +
             " m from the camp");
    // A thicket the player hides in.
    run.world().perception.addFoliageCover(hide, 4.0f, 0.9f);
    if (!run.travelTo(hide, Gait::Creep, 1.0f, 3 * minute))
        return run.giveUp("could not reach the bushes");
    return run.waitUntil([&] { return run.contractTarget() != 0; }, 30 * second) ||
           run.giveUp("nobody in the camp");
}

HuntWatched watchHunter(ScenarioRun& run, const ContractInPlay& contract, std::uint32_t maxMs,
                        const std::function<bool(const HuntWatched&)>& enough) {
    HuntWatched watched;
    const int hunter = run.contractTarget();
    World& world = run.world();
    // Followed by number among all ever fired and said: the records keep only the latest.
    std::size_t shotsSeen = world.combat.shots().total();
    std::size_t linesHeard = world.speech.lines().total();
    int kill = 0;
    bool carriedThisTrip = false;
    auto saw = [&](bool& flag, const std::string& what) {
        if (flag)
            return;
        flag = true;
        watched.seen.push_back(what);
        run.note("sees " + what);
    };
    run.waitUntil(
        [&] {
            const EntityRecord* record = world.entities.find(hunter);
            if (!record || !record->alive)
                return true;
            const float fromCamp = flatDistance(record->position, contract.coords);
            watched.atCampNow = fromCamp <= atCamp;
            if (fromCamp > outOfCamp) {
                saw(watched.leftCamp, "the hunter walk out of camp, rifle in hand");
                watched.out = true;
            }
            // He may stalk an animal grazing by the camp before he leaves it.
            if (world.perception.isCrouching(hunter))
                saw(watched.stalking, "him crouch and creep up on something");
            const auto& shots = world.combat.shots();
            for (; shotsSeen < shots.total(); ++shotsSeen)
                if (shots.holds(shotsSeen) && shots.numbered(shotsSeen).shooter == hunter)
                    saw(watched.fired, "him fire at an animal");
            const auto& lines = world.speech.lines();
            for (; linesHeard < lines.total(); ++linesHeard)
                if (lines.holds(linesHeard) && lines.numbered(linesHeard).ped == hunter &&
                    lines.numbered(linesHeard).line == "GENERIC_CURSE_MED" && !watched.cursed) {
                    watched.cursed = true;
                    run.note("hears him curse: the animal got away");
                }
            if (watched.fired && !watched.killed) {
                kill = deadAnimalNear(run, record->position, 60.0f);
                if (kill)
                    saw(watched.killed, "the animal drop");
            }
            const int carried = world.hunting.carriedBy(hunter);
            if (carried && watched.killed)
                saw(watched.carrying, "him shoulder the carcass");
            if (watched.carrying && !carried && fromCamp <= atCamp)
                saw(watched.backAtCamp, "him lay it down at the camp");
            if (carried)
                carriedThisTrip = true;
            if (watched.out && fromCamp <= atCamp && !carried) {
                // Back by the fire; with nothing to lay down, the hunt came to nothing.
                watched.out = false;
                if (!carriedThisTrip) {
                    ++watched.cameBackEmptyHanded;
                    run.note("sees him come back to camp empty-handed");
                }
                carriedThisTrip = false;
            }
            return enough(watched);
        },
        maxMs);
    return watched;
}

bool stalkHunter(ScenarioRun& run, const ContractInPlay& contract) {
    PlayerController& player = run.player();
    const int hunter = run.contractTarget();
    if (hunter == 0)
        return run.giveUp("no hunter at the camp");
    run.note("stalks the hunter, crouched, and raises his gun to make out the face");
    player.drawGun();
    const bool over = run.waitUntil(
        [&] {
            if (recognised(run, contract.id) || run.playerDown() || run.isDown(hunter))
                return true;
            const EntityRecord* record = run.world().entities.find(hunter);
            const float distance = player.distanceTo(record->position);
            if (distance > creepWithin) {
                player.crouch(false);
                player.goToEntity(hunter, Gait::Walk, creepWithin - 10.0f);
            } else if (distance > aimingDistance) {
                player.crouch(true);
                player.goToEntity(hunter, Gait::Creep, aimingDistance - 10.0f);
            } else {
                player.stop();
                player.crouch(true);
            }
            if (distance <= aimingDistance + 5.0f)
                player.aimAt(hunter);
            return false;
        },
        8 * minute);
    player.stop();
    if (!over)
        return run.giveUp("never got a good look at the hunter");
    if (run.playerDown())
        return run.giveUp("went down while stalking");
    if (!recognised(run, contract.id) && run.isDown(hunter))
        return true; // someone else's bullet: the contract moves on all the same
    run.note("it is the man on the card");
    return true;
}

bool seeOffTheCamp(ScenarioRun& run) {
    for (int round = 0; round < 8; ++round) {
        const int me = run.world().player.pedId;
        int fighter = 0;
        for (const auto& [id, record] : run.world().entities.all())
            if (id != me && record.alive && record.combatOpponent == me) {
                fighter = id;
                break;
            }
        if (fighter == 0)
            return true;
        const EntityRecord* record = run.world().entities.find(fighter);
        run.note(std::string(isAnimalModel(record->model) ? "the hunter's dog goes for him: shoots it"
                                                          : "one of the camp turns on him: shoots back"));
        if (!run.shootUntilDown(fighter, minute))
            return run.giveUp(run.playerDown() ? "went down fighting the camp" : "could not see off the camp");
    }
    return !anyoneFightingPlayer(run);
}

bool huntDownHunter(ScenarioRun& run, const ContractInPlay& contract) {
    if (!takeCoverNearCamp(run, contract, 60.0f))
        return false;
    const EntityRecord* hunter = run.world().entities.find(run.contractTarget());
    const bool night = run.world().clock.hourOfDay() < 7 || run.world().clock.hourOfDay() > 17;
    if (hunter && flatDistance(hunter->position, contract.coords) > outOfCamp)
        run.note("the hunter is out after game");
    else
        run.note(night ? "finds the hunter by his fire for the night" : "the hunter is at his camp");
    if (!stalkHunter(run, contract))
        return false;
    if (!takeDownTarget(run))
        return false;
    return seeOffTheCamp(run);
}

bool getAwayFromHunterCamp(ScenarioRun& run, const ContractInPlay& contract) {
    if (escape(run, contract) || run.playerDown())
        return !run.playerDown() && intValue(run.readKeyValues("Missions/" + std::to_string(contract.id) + ".dat"),
                                             "status", -1) == 2;
    // The horse was left far back while he stalked and did not come in time.
    PlayerController& player = run.player();
    player.crouch(false);
    player.holster();
    run.note("runs for it on foot");
    player.goTo(pointTowards(contract.coords, player.position(), 700.0f), Gait::Sprint, 5.0f);
    return keepGoingUntilContractEnds(run, contract);
}

} // namespace sim
