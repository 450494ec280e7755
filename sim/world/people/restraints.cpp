#include "world/people/restraints.h"

#include "world/core/geometry.h"
#include "world/core/world.h"
#include "world/wildlife/animals.h"

#include <random>

namespace sim {
namespace {
// A ped who gets loose runs from whoever held him this long.
constexpr int runsForMs = 30'000;
// A tier who steps further off than this leaves the knot half done.
constexpr float tyingSlack = 1.0f;
} // namespace

bool runCutLooseStep(World& world, int ped, PedActivity& activity, const TaskStep& step) {
    EntityRecord& record = *world.entities.find(ped);
    const EntityRecord* bound = world.entities.find(step.target);
    if (!bound || !bound->hogtied || !record.alive)
        return true;
    const float frameSeconds = static_cast<float>(world.clock.frameMs) / 1000.0f;
    const bool there = moveTowards(record.position, record.heading, bound->position,
                                   metresPerSecond(2.0f) * frameSeconds, Restraints::handsReach - 0.3f);
    if (!there || Restraints::onShoulder(world, step.target)) {
        activity.handsBusy = false;
        return false;
    }
    const std::uint64_t now = world.clock.elapsedMs;
    if (!activity.handsBusy) {
        activity.handsBusy = true;
        activity.handsBusyUntilMs = now + Restraints::cutLooseMs;
    }
    if (now < activity.handsBusyUntilMs)
        return false;
    world.restraints.cutLoose(world, step.target);
    return true;
}

bool Restraints::lasso(World& world, int thrower, int ped) {
    EntityRecord* record = world.entities.find(ped);
    const EntityRecord* from = world.entities.find(thrower);
    if (!record || !from || record->kind != EntityKind::Ped || ped == thrower || !record->alive ||
        record->knockedOut || record->hogtied || isAnimalModel(record->model) || holds_.count(ped) != 0 ||
        flatDistance(record->position, from->position) > lassoRange)
        return false;
    // Pulled off his horse or his seat onto the ground.
    if (world.seats.seatOf(ped)) {
        world.seats.leaveSeat(ped);
        record->position.z = world.geography.groundHeight(record->position.x, record->position.y);
    }
    world.tasks.clear(ped);
    Combat::stopFight(world, ped);
    world.fleeing.forget(ped);
    Hold hold;
    hold.state = State::Lassoed;
    hold.by = thrower;
    hold.sinceMs = world.clock.elapsedMs;
    holds_[ped] = hold;
    if (thrower == world.player.pedId)
        world.law.playerRestrained(world, ped);
    return true;
}

bool Restraints::startHogtie(World& world, int tier, int ped) {
    EntityRecord* record = world.entities.find(ped);
    const EntityRecord* hands = world.entities.find(tier);
    if (!record || !hands || !record->alive || record->hogtied || ped == tier ||
        flatDistance(record->position, hands->position) > handsReach)
        return false;
    auto found = holds_.find(ped);
    const bool lassoed = found != holds_.end() && found->second.state == State::Lassoed;
    if (!lassoed && !record->knockedOut)
        return false;
    Hold hold;
    hold.state = State::BeingTied;
    hold.by = tier;
    hold.sinceMs = world.clock.elapsedMs;
    holds_[ped] = hold;
    return true;
}

void Restraints::cutLoose(World& world, int ped) {
    auto found = holds_.find(ped);
    if (found == holds_.end() || found->second.state != State::Tied)
        return;
    const int from = found->second.by;
    free(world, ped, from);
}

bool Restraints::isLassoed(int ped) const {
    auto found = holds_.find(ped);
    return found != holds_.end() && found->second.state == State::Lassoed;
}

bool Restraints::isBeingHogtied(int ped) const {
    auto found = holds_.find(ped);
    return found != holds_.end() && found->second.state == State::BeingTied;
}

int Restraints::heldBy(int ped) const {
    auto found = holds_.find(ped);
    return found == holds_.end() ? 0 : found->second.by;
}

float Restraints::escapeSeconds(int ped) const {
    auto found = holds_.find(ped);
    if (found == holds_.end() || found->second.state != State::Tied)
        return 0.0f;
    return found->second.escapeLeftMs < 0 ? -1.0f : static_cast<float>(found->second.escapeLeftMs) / 1000.0f;
}

void Restraints::setEscapeSeconds(int ped, float seconds) {
    auto found = holds_.find(ped);
    if (found == holds_.end() || found->second.state != State::Tied)
        return;
    found->second.escapeLeftMs = seconds < 0.0f ? -1 : static_cast<std::int64_t>(seconds * 1000.0f);
}

bool Restraints::onShoulder(const World& world, int ped) {
    const int carrier = world.hunting.carrierOf(ped);
    const EntityRecord* record = carrier ? world.entities.find(carrier) : nullptr;
    return record && !isHorseModel(record->model);
}

void Restraints::tie(World& world, int ped, Hold& hold) {
    EntityRecord& record = *world.entities.find(ped);
    record.hogtied = true;
    record.knockedOut = false; // he comes to bound
    hold.state = State::Tied;
    hold.sinceMs = world.clock.elapsedMs;
    std::uniform_int_distribution<int> escape(escapeMinMs, escapeMaxMs);
    hold.escapeLeftMs = escape(world.random);
    world.tasks.clear(ped);
    if (hold.by == world.player.pedId)
        world.law.playerRestrained(world, ped);
}

void Restraints::free(World& world, int ped, int from) {
    holds_.erase(ped);
    EntityRecord* record = world.entities.find(ped);
    if (!record)
        return;
    record->hogtied = false;
    if (world.hunting.carrierOf(ped) != 0) {
        world.hunting.putDown(world, ped);
        record->position.z = world.geography.groundHeight(record->position.x, record->position.y);
    }
    if (!record->alive || !world.entities.exists(from))
        return;
    // Armed, he turns on whoever held him; without a gun he runs.
    if (Weapons::isGun(world.weapons.best(world, ped))) {
        world.weapons.drawBest(world, ped);
        world.combat.startFight(world, ped, from);
    } else {
        world.fleeing.fleeFrom(world, ped, from, runsForMs, 0.0f);
    }
}

void Restraints::step(World& world) {
    const std::uint64_t now = world.clock.elapsedMs;
    const auto frameMs = static_cast<std::int64_t>(world.clock.frameMs);
    std::vector<std::pair<int, int>> loose; // ped, the one he gets loose from
    for (auto& [ped, hold] : holds_) {
        EntityRecord* record = world.entities.find(ped);
        if (!record || !record->alive) {
            // Dead, a bound man stays bound where he lies; gone, he is forgotten.
            if (!record)
                loose.emplace_back(ped, 0);
            continue;
        }
        // Held, he neither runs nor fights.
        world.fleeing.forget(ped);
        if (record->combatOpponent != 0)
            Combat::stopFight(world, ped);
        switch (hold.state) {
        case State::Lassoed:
            if (now - hold.sinceMs >= lassoHoldMs)
                loose.emplace_back(ped, hold.by);
            break;
        case State::BeingTied: {
            const EntityRecord* hands = world.entities.find(hold.by);
            if (!hands || !hands->alive || flatDistance(hands->position, record->position) > handsReach + tyingSlack) {
                // Left half tied: a roped man is roped still, a knocked-out one lies as he was.
                if (record->knockedOut) {
                    loose.emplace_back(ped, 0);
                } else {
                    hold.state = State::Lassoed;
                    hold.sinceMs = now;
                }
            } else if (now - hold.sinceMs >= hogtieMs) {
                tie(world, ped, hold);
            }
            break;
        }
        case State::Tied:
            if (hold.escapeLeftMs < 0 || onShoulder(world, ped))
                break;
            hold.escapeLeftMs -= frameMs;
            if (hold.escapeLeftMs <= 0)
                loose.emplace_back(ped, hold.by);
            break;
        }
    }
    for (const auto& [ped, from] : loose) {
        const EntityRecord* record = world.entities.find(ped);
        if (!record) {
            holds_.erase(ped);
            continue;
        }
        if (from == 0 && record->knockedOut) {
            holds_.erase(ped);
            continue;
        }
        free(world, ped, from);
    }
}

} // namespace sim
