#include "scenarios/alive_play.h"

#include "world/core/geometry.h"
#include "world/core/world.h"
#include "world/law/law.h"
#include "world/wildlife/animals.h"

#include <cmath>

namespace sim {
namespace {
constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;
// The lasso is thrown from within this; the player closes in to this first.
constexpr float throwFrom = 16.0f;
constexpr float closeInTo = 12.0f;
// Those fighting him this near are seen off first (out of town).
constexpr float fightersWithin = 70.0f;
// Farther than this from the office he rides; nearer, he walks him in.
constexpr float rideIfFartherThan = 40.0f;
// He stops his horse this near the office, and holds the prompt this near.
constexpr float reinInAt = 6.0f;
constexpr float handOverAt = 2.0f;

bool logHas(ScenarioRun& run, int id, const std::string& text) {
    return run.game().logContains("ContractExecutor [" + std::to_string(id) + "]: " + text);
}

// The nearest ped fighting the player, but `except`, 0 for none.
int nearestFighter(ScenarioRun& run, int except) {
    const int me = run.world().player.pedId;
    int nearest = 0;
    float best = fightersWithin;
    for (const auto& [id, record] : run.world().entities.all()) {
        // The law after him is shaken off, never fought.
        if (id == me || id == except || !record.alive || record.knockedOut || record.combatOpponent != me ||
            run.world().law.isLawman(run.world(), id))
            continue;
        const float d = run.player().distanceTo(record.position);
        if (d <= best) {
            best = d;
            nearest = id;
        }
    }
    return nearest;
}

// One of the target's men coming to free him: fighting the player, or on his
// way to cut the target loose. 0 for none within reach.
int rescuerNear(ScenarioRun& run, int target) {
    constexpr float reach = 40.0f;
    if (const int fighter = nearestFighter(run, target))
        if (run.player().distanceTo(run.world().entities.find(fighter)->position) <= reach)
            return fighter;
    for (const auto& [ped, activity] : run.world().tasks.all()) {
        const EntityRecord* record = run.world().entities.find(ped);
        if (!record || !record->alive || record->knockedOut || activity.index < 0 ||
            activity.index >= static_cast<int>(activity.steps.size()))
            continue;
        const TaskStep& step = activity.steps[static_cast<std::size_t>(activity.index)];
        if (step.kind == TaskKind::CutLoose && step.target == target && run.player().distanceTo(record->position) <= reach)
            return ped;
    }
    return 0;
}

bool inTown(ScenarioRun& run) {
    return Law::townAt(run.player().position()) != nullptr;
}

// With the man across the horse and the law after him: out of town until the
// law loses interest.
void loseTheLaw(ScenarioRun& run, int target) {
    PlayerController& player = run.player();
    const drovil::Vector3 here = player.position();
    const Town* town = Law::townAt(here);
    const drovil::Vector3 centre = town ? town->centre : here;
    const float reach = (town ? town->radius : 0.0f) + 200.0f;
    run.note("wanted: rides out of town with the prisoner until the law loses interest");
    player.goTo(pointTowards(centre, here, reach), Gait::Ride, 5.0f);
    run.waitUntil(
        [&] {
            const EntityRecord* man = run.world().entities.find(target);
            if (!player.moving() && run.world().law.wantedByLaw())
                player.goTo(pointTowards(centre, player.position(), reach + 100.0f), Gait::Ride, 5.0f);
            return !run.world().law.wantedByLaw() || !man || !man->alive || !man->hogtied || run.playerDown();
        },
        5 * minute);
    player.stop();
}

// The horse at hand, however far it was left.
bool horseToHand(ScenarioRun& run) {
    PlayerController& player = run.player();
    if (player.horseAtHand())
        return true;
    if (run.callHorse(20 * second))
        return true;
    const int horse = player.ownHorse();
    return run.travelToEntity(horse, Gait::Run, 2.0f, minute) && player.horseAtHand();
}

} // namespace

bool targetHogtied(ScenarioRun& run) {
    const EntityRecord* target = run.world().entities.find(run.contractTarget());
    return target && target->alive && target->hogtied;
}

const BlipRecord* officeBlip(ScenarioRun& run) {
    const std::vector<const BlipRecord*> named = run.world().blips.named(run.lang("blips.sheriff_office"));
    return named.empty() ? nullptr : named.back();
}

bool takeTargetDown(ScenarioRun& run, int target, std::uint32_t maxMs) {
    if (run.playsAlive())
        return subdueAlive(run, target, maxMs);
    return run.shootUntilDown(target, maxMs);
}

bool subdueAlive(ScenarioRun& run, int target, std::uint32_t maxMs) {
    PlayerController& player = run.player();
    const std::uint64_t until = run.world().clock.elapsedMs + maxMs;
    run.note("goes to take the target alive, the lasso in hand");
    bool thrown = false;
    for (;;) {
        if (run.playerDown())
            return run.giveUp("the player went down");
        if (run.world().clock.elapsedMs >= until)
            return run.giveUp("could not take the target alive in time");
        const EntityRecord* record = run.world().entities.find(target);
        if (!record)
            return run.giveUp("the target is gone");
        if (!record->alive) {
            player.stop();
            run.note("the target is dead");
            return true;
        }
        if (record->hogtied) {
            player.stop();
            run.note("the target lies hogtied");
            return true;
        }
        // His men who shoot at the player go first; in town he does not draw.
        if (!inTown(run)) {
            if (const int fighter = nearestFighter(run, target)) {
                player.stop();
                if (player.aimedAt() != fighter)
                    run.note("one of the target's men fights him: shoots him");
                player.shootAt(fighter);
                run.wait(800);
                continue;
            }
        }
        const Restraints& restraints = run.world().restraints;
        if (restraints.isBeingHogtied(target)) {
            run.wait(200);
            continue;
        }
        if (restraints.isLassoed(target) || record->knockedOut) {
            if (player.riding())
                player.dismount();
            if (player.vehicleIn())
                player.leaveVehicle();
            if (player.distanceTo(record->position) > Restraints::handsReach - 0.5f) {
                player.goToEntity(target, Gait::Sprint, Restraints::handsReach - 0.6f);
                run.wait(100);
                continue;
            }
            if (player.hogtie(target))
                run.note("ties him up");
            run.wait(200);
            continue;
        }
        if (player.distanceTo(record->position) <= throwFrom) {
            player.stop();
            if (player.lasso(target)) {
                run.note(thrown ? "throws the lasso again: caught" : "throws the lasso: caught");
                thrown = true;
            }
            run.wait(300);
            continue;
        }
        player.goToEntity(target, player.riding() ? Gait::Ride : Gait::Sprint, closeInTo);
        run.wait(200);
    }
}

bool bringInAlive(ScenarioRun& run, const ContractInPlay& contract, AliveTrip& trip) {
    PlayerController& player = run.player();
    const int target = run.contractTarget();
    const std::uint64_t until = run.world().clock.elapsedMs + 25 * minute;
    run.note("the target is hogtied: takes him to the sheriff's office on the map");
    bool handing = false;
    for (;;) {
        if (run.playerDown())
            return run.giveUp("the player went down on the way to the sheriff");
        if (run.world().clock.elapsedMs >= until)
            return run.giveUp("never got the target to the sheriff");
        const int status = loggedStatus(run, contract.id);
        if (status == 2 || status == 4) {
            player.stop();
            trip.handedOver = status == 2 && logHas(run, contract.id, "target brought in alive");
            if (trip.handedOver)
                run.note("the lawman has him inside: brought in alive");
            return status == 2 || run.giveUp("the contract failed");
        }
        const EntityRecord* record = run.world().entities.find(target);
        if (!record) {
            run.wait(200); // taken inside; the contract ends with it
            continue;
        }
        if (!record->alive) {
            trip.died = true;
            run.note("the target died on the way: the contract goes on as for a dead man");
            // The body stays behind: carried along, the scene goes wherever he goes.
            if (player.acrossHorse() == target) {
                player.stop();
                if (player.riding())
                    player.dismount();
                if (player.takeOffHorse())
                    run.note("takes the body down off the horse and leaves it");
            }
            player.putDown();
            return escape(run, contract);
        }
        if (!record->hogtied) {
            ++trip.breakouts;
            handing = false;
            run.note("the target has got loose: goes after him");
            if (player.carrying())
                player.putDown();
            // After him in the saddle when he is off already.
            if (!player.riding() && player.distanceTo(record->position) > closeInTo && run.callHorse(5 * second))
                player.mount();
            if (!subdueAlive(run, target, 4 * minute)) {
                const EntityRecord* man = run.world().entities.find(target);
                if (!man || !man->alive || run.playerDown())
                    continue;
                run.note("cannot take him again: shoots him instead");
                if (!run.shootUntilDown(target, 2 * minute))
                    return run.giveUp("the loose target got away");
            }
            continue;
        }
        if (handing) {
            // The lawman is on his way out for him.
            run.wait(300);
            continue;
        }
        // His men who come to free him are seen off first, in town too: the
        // law that brings is lost before the hand-over.
        if (const int rescuer = rescuerNear(run, target)) {
            if (player.aimedAt() != rescuer)
                run.note("one of the target's men comes to free him: shoots him");
            player.stop();
            player.shootAt(rescuer);
            run.wait(800);
            continue;
        }
        const bool wanted = run.world().law.wantedByLaw();
        const BlipRecord* office = officeBlip(run);
        if (!office)
            return run.giveUp("the map shows no sheriff's office");
        const drovil::Vector3 door = office->position;
        const bool onShoulder = player.carrying() == target;
        const bool onHorse = player.acrossHorse() == target;
        const float toOffice = player.distanceTo(door);

        if (!onShoulder && !onHorse) {
            if (player.riding())
                player.dismount();
            if (player.distanceTo(record->position) > Restraints::handsReach - 0.3f) {
                player.goToEntity(target, Gait::Sprint, Restraints::handsReach - 0.5f);
                run.wait(100);
                continue;
            }
            if (player.pickUp(target))
                run.note("takes him up on his shoulder");
            run.wait(200);
            continue;
        }
        if (onShoulder) {
            if (wanted || toOffice > rideIfFartherThan) {
                if (!horseToHand(run)) {
                    run.wait(500);
                    continue;
                }
                if (player.layAcrossHorse()) {
                    run.note("lays him across the horse and climbs into the saddle");
                    player.mount();
                }
                continue;
            }
            if (toOffice > handOverAt) {
                player.goTo(door, Gait::Walk, handOverAt - 0.5f);
                run.waitUntil([&] { return !player.moving() || !targetHogtied(run) || run.playerDown(); }, minute);
                continue;
            }
            run.note("at the sheriff's door: holds the prompt to hand him over");
            if (run.holdPrompt(run.lang("prompts.hand_over_target"), 5 * second)) {
                handing = true;
                run.note("a lawman comes out for him");
            } else {
                run.wait(1000);
            }
            continue;
        }
        // Across the horse.
        if (!player.riding()) {
            if (!wanted && toOffice <= rideIfFartherThan) {
                if (!player.horseAtHand() && !horseToHand(run)) {
                    run.wait(500);
                    continue;
                }
                if (player.takeOffHorse())
                    run.note("takes him down off the horse onto his shoulder");
                continue;
            }
            if (!horseToHand(run) || !player.mount()) {
                run.wait(500);
                continue;
            }
            continue;
        }
        if (wanted) {
            loseTheLaw(run, target);
            continue;
        }
        if (toOffice > reinInAt) {
            player.goTo(door, Gait::Ride, reinInAt - 1.0f);
            run.waitUntil(
                [&] {
                    return !player.moving() || !targetHogtied(run) || run.world().law.wantedByLaw() ||
                           run.playerDown();
                },
                10 * minute);
            continue;
        }
        player.stop();
        player.dismount();
    }
}

} // namespace sim
