#include "scenarios/saloon_play.h"

#include "scenarios/alive_play.h"

#include "scenarios/town_play.h"
#include "world/core/geometry.h"
#include "world/core/world.h"
#include "world/town/saloons.h"
#include "world/wildlife/animals.h"

#include <set>

namespace sim {
namespace {

constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;
// On foot from this far out: nobody rides into a saloon.
constexpr float walkFrom = 120.0f;
// Inside, a face is made out only up close: he stands this near a drinker and
// gives him a good look.
constexpr float lookingDistance = 3.0f;
constexpr std::uint32_t lookingMs = 6000;
// A girl this near the target can lure him out.
constexpr float girlReach = 15.0f;
// He follows a lured target at about this distance.
constexpr float shadowDistance = 12.0f;
// A target this far beyond the saloon's floor has walked out.
constexpr float outsideMargin = 3.0f;

std::size_t saloonNear(const drovil::Vector3& coords) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < Saloons::all().size(); ++i)
        if (flatDistance(coords, Saloons::all()[i].door) < flatDistance(coords, Saloons::all()[best].door))
            best = i;
    return best;
}

bool insideSaloon(const drovil::Vector3& position, std::size_t saloon) {
    return flatDistance(position, Saloons::middleOf(Saloons::all()[saloon])) <= Saloons::floorRadius + outsideMargin;
}

const EntityRecord* alivePed(ScenarioRun& run, int ped) {
    const EntityRecord* record = run.world().entities.find(ped);
    return record && record->alive && !record->knockedOut ? record : nullptr;
}

// The next drinker to look at up close: in the saloon, not looked at yet; who
// looks like the photograph on the card first, then the nearest.
int nextDrinker(ScenarioRun& run, std::size_t saloon, const std::set<int>& seen, std::uint32_t cardLook) {
    World& world = run.world();
    int best = 0;
    float bestScore = 0.0f;
    for (const auto& [id, record] : world.entities.all()) {
        if (id == world.player.pedId || record.kind != EntityKind::Ped || !record.alive ||
            isAnimalModel(record.model) || seen.count(id) != 0 || world.saloons.isWorkingGirl(id) ||
            !insideSaloon(record.position, saloon))
            continue;
        const float score = run.player().distanceTo(record.position) + (record.model == cardLook ? 0.0f : 1000.0f);
        if (!best || score < bestScore) {
            best = id;
            bestScore = score;
        }
    }
    return best;
}

bool walkIn(ScenarioRun& run, const ContractInPlay& contract) {
    PlayerController& player = run.player();
    player.holster();
    if (!waitOutHold(run, contract)) {
        run.note("gives up: the contract stayed on hold");
        return false;
    }
    if (player.distanceTo(contract.coords) > walkFrom + 30.0f) {
        run.note("rides into town towards the saloon");
        const drovil::Vector3 from = player.position();
        const float away = flatDistance(from, contract.coords);
        const drovil::Vector3 stop(contract.coords.x + (from.x - contract.coords.x) * walkFrom / away,
                                   contract.coords.y + (from.y - contract.coords.y) * walkFrom / away,
                                   contract.coords.z);
        if (!run.rideTo(stop, 5.0f, 10 * minute)) {
            run.note("gives up: did not reach the town");
            return false;
        }
        player.dismount();
    }
    run.note("walks into the saloon");
    if (!run.travelTo(contract.coords, Gait::Walk, 1.5f, 5 * minute)) {
        run.note("gives up: could not reach the saloon");
        return false;
    }
    return true;
}

int recogniseTarget(ScenarioRun& run, std::size_t saloon) {
    PlayerController& player = run.player();
    const std::string targetName = run.lang("blips.contact_target");
    const auto& photos = run.world().portraits.photos();
    const std::uint32_t cardLook = photos.empty() ? 0 : photos.back().model;
    std::set<int> seen;
    int looked = 0;
    const std::uint64_t giveUpAt = run.world().clock.elapsedMs + 3 * minute;
    while (run.world().clock.elapsedMs < giveUpAt && !run.playerDown()) {
        if (const int target = markedTarget(run, targetName)) {
            player.stop();
            run.note("the map marks the drinker in front of him as the target, after " + std::to_string(looked) +
                     " faces");
            return target;
        }
        const int person = nextDrinker(run, saloon, seen, cardLook);
        if (!person) {
            // Everyone looked at: round the room again.
            seen.clear();
            run.wait(second);
            continue;
        }
        seen.insert(person);
        ++looked;
        run.travelToEntity(person, Gait::Walk, lookingDistance, 20 * second);
        const std::uint64_t lookUntil = run.world().clock.elapsedMs + lookingMs;
        run.waitUntil(
            [&] {
                return !alivePed(run, person) || markedTarget(run, targetName) != 0 ||
                       run.world().clock.elapsedMs >= lookUntil;
            },
            lookingMs + second);
    }
    run.note(run.playerDown() ? "gives up: went down in the saloon"
                              : "gives up: looked at " + std::to_string(looked) + " faces, none was the target");
    return 0;
}

// The working girl nearest to the target, within her reach of him; 0 none.
int girlNear(ScenarioRun& run, std::size_t saloon, int target) {
    const EntityRecord* him = alivePed(run, target);
    if (!him)
        return 0;
    int best = 0;
    float bestDistance = girlReach;
    for (int girl : run.world().saloons.girlsOf(saloon)) {
        const EntityRecord* her = alivePed(run, girl);
        if (!her)
            continue;
        const float d = distance3d(her->position, him->position);
        if (d <= bestDistance) {
            best = girl;
            bestDistance = d;
        }
    }
    return best;
}

// Walks up to her, greets her and pays her; true when paid.
bool payGirl(ScenarioRun& run, int girl) {
    PlayerController& player = run.player();
    run.note("walks up to a working girl near the target and greets her");
    if (!run.travelToEntity(girl, Gait::Walk, 1.5f, 30 * second) || !player.greet(girl)) {
        run.note("could not get to her");
        player.aimAt(0);
        return false;
    }
    const bool paid = run.pressPrompt(run.lang("prompts.saloon.prostitute_lure"), 3 * second);
    player.aimAt(0);
    run.note(paid ? "pays her to lure the target out" : "cannot pay her: the offer stays greyed out");
    return paid;
}

// Keeps a lured target in sight from a distance until she has brought him to
// the quiet spot and he has turned on her; true when he did.
bool shadowLure(ScenarioRun& run, int target, int girl, SaloonOutcome& outcome) {
    PlayerController& player = run.player();
    const bool attacked = run.waitUntil(
        [&] {
            if (run.world().clock.frame % 15 == 0) {
                const EntityRecord* him = alivePed(run, target);
                if (him && player.distanceTo(him->position) > shadowDistance + 4.0f)
                    player.goToEntity(target, Gait::Walk, shadowDistance);
            }
            return !alivePed(run, girl) || !alivePed(run, target) || run.playerDown();
        },
        3 * minute);
    player.stop();
    if (const EntityRecord* her = run.world().entities.find(girl); her && !her->alive) {
        outcome.girlDiedAt = her->position;
        const PedCombat* fight = run.world().combat.find(girl);
        outcome.girlKiller = fight ? fight->lastAttacker : 0;
    }
    return attacked && alivePed(run, target) != nullptr;
}

} // namespace

bool huntInSaloon(ScenarioRun& run, const ContractInPlay& contract, SaloonWay way, SaloonOutcome& outcome,
                  std::string& why) {
    PlayerController& player = run.player();
    if (!walkIn(run, contract)) {
        why = "the player did not get into the saloon";
        return false;
    }
    const std::size_t saloon = saloonNear(contract.coords);
    const int target = recogniseTarget(run, saloon);
    if (!target) {
        why = "the target was not found and recognised in the saloon";
        return false;
    }
    outcome.target = target;

    if (way == SaloonWay::LureWhenDrunk) {
        run.note("waits at the bar until the target reels drunk");
        run.waitUntil([&] { return run.world().traits.drunkennessOf(target) >= 0.99f || !alivePed(run, target); },
                      2 * minute);
    }
    if (way != SaloonWay::Wait) {
        const int girl = girlNear(run, saloon, target);
        if (!girl) {
            run.note("no working girl near the target");
        } else if (payGirl(run, girl)) {
            outcome.girl = girl;
            const EntityRecord* him = run.world().entities.find(target);
            outcome.targetAtLure = him ? him->position : drovil::Vector3();
            // He steps back to the door and watches whether the target goes with her.
            player.goTo(contract.coords, Gait::Walk, 1.0f);
            const bool following = run.waitUntil(
                [&] {
                    const EntityRecord* man = alivePed(run, target);
                    return !man || !insideSaloon(man->position, saloon);
                },
                90 * second);
            if (following && alivePed(run, target)) {
                outcome.lureAccepted = true;
                run.note("the target follows her out; he keeps his distance");
                if (!shadowLure(run, target, girl, outcome)) {
                    why = "the lured target was lost";
                    return false;
                }
                run.note("at the quiet spot the target turns on her: he takes him there");
                if (!takeTargetDown(run, target, 2 * minute)) {
                    why = "the target was not taken down";
                    return false;
                }
                return true;
            }
            // Turned down, he stays for good: he is taken where he sits.
            run.note("the target turns her down and stays: he takes him in the saloon");
            if (!takeTargetDown(run, target, 2 * minute)) {
                why = "the target was not taken down";
                return false;
            }
            return true;
        }
    }

    run.note("waits by the door for the target to leave the saloon");
    player.goTo(contract.coords, Gait::Walk, 1.0f);
    const bool left = run.waitUntil(
        [&] {
            const EntityRecord* man = alivePed(run, target);
            return !man || !insideSaloon(man->position, saloon) || run.playerDown();
        },
        5 * minute);
    if (!left || !alivePed(run, target) || run.playerDown()) {
        why = "the target never left the saloon";
        return false;
    }
    outcome.targetLeft = true;
    run.note("the target walks out into the street: he follows and takes him there");
    run.travelToEntity(target, Gait::Walk, 10.0f, minute);
    if (!takeTargetDown(run, target, 2 * minute)) {
        why = "the target was not taken down";
        return false;
    }
    return true;
}

} // namespace sim
