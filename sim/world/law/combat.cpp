#include "world/law/combat.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>

namespace sim {
namespace {

// Distance from a point to the segment a-b.
float distanceToSegment(const drovil::Vector3& p, const drovil::Vector3& a, const drovil::Vector3& b) {
    const float abx = b.x - a.x, aby = b.y - a.y, abz = b.z - a.z;
    const float length2 = abx * abx + aby * aby + abz * abz;
    float t = 0.0f;
    if (length2 > 0.0f)
        t = std::clamp(((p.x - a.x) * abx + (p.y - a.y) * aby + (p.z - a.z) * abz) / length2, 0.0f, 1.0f);
    const drovil::Vector3 closest(a.x + abx * t, a.y + aby * t, a.z + abz * t);
    return distance3d(p, closest);
}

int randomBetween(World& world, int low, int highInclusive) {
    std::uniform_int_distribution<int> pick(low, highInclusive);
    return pick(world.random);
}
} // namespace

const PedCombat* Combat::find(int ped) const {
    auto it = peds_.find(ped);
    return it == peds_.end() ? nullptr : &it->second;
}

int Combat::health(int ped) const {
    const PedCombat* c = find(ped);
    return c ? c->health : fullHealth;
}

bool Combat::isDown(const World& world, int ped) {
    const EntityRecord* record = world.entities.find(ped);
    return !record || !record->alive || record->knockedOut;
}

bool Combat::inCombat(const World& world, int ped) {
    const EntityRecord* record = world.entities.find(ped);
    return record && record->combatOpponent != 0;
}

bool Combat::inCombatWith(const World& world, int ped, int target) {
    const EntityRecord* record = world.entities.find(ped);
    return record && target != 0 && record->combatOpponent == target;
}

bool Combat::isShooting(int ped, std::uint64_t nowMs) const {
    const PedCombat* c = find(ped);
    return c && c->hasFired && nowMs - c->lastShotMs <= shootingMs;
}

bool Combat::inMelee(int ped, std::uint64_t nowMs) const {
    const PedCombat* c = find(ped);
    return c && nowMs < c->meleeUntilMs;
}

void Combat::punch(World& world, int attacker, int victim) {
    if (isDown(world, attacker) || isDown(world, victim))
        return;
    const std::uint64_t until = world.clock.elapsedMs + meleeMs;
    of(attacker).meleeUntilMs = until;
    of(victim).meleeUntilMs = until;
    damage(world, victim, randomBetween(world, 8, 16), attacker);
}

void Combat::startFight(World& world, int ped, int target) {
    if (ped == target || ped == world.player.pedId || isDown(world, ped) || !world.entities.exists(target))
        return;
    EntityRecord& record = *world.entities.find(ped);
    if (record.combatOpponent == target)
        return;
    // Roped or tied, he cannot fight.
    if (record.hogtied || world.restraints.isLassoed(ped) || world.restraints.isBeingHogtied(ped))
        return;
    record.combatOpponent = target;
    world.weapons.drawBest(world, ped);
    // A moment to react before the first shot.
    of(ped).nextShotMs = world.clock.elapsedMs + static_cast<std::uint64_t>(randomBetween(world, 700, 1500));
    world.tasks.clear(ped);
}

void Combat::stopFight(World& world, int ped) {
    if (EntityRecord* record = world.entities.find(ped))
        record->combatOpponent = 0;
}

float Combat::hitChance(const World& world, int shooter, int target) const {
    const EntityRecord* from = world.entities.find(shooter);
    const EntityRecord* to = world.entities.find(target);
    if (!from || !to)
        return 0.0f;
    const float distance = distance3d(from->position, to->position);
    float chance;
    if (shooter == world.player.pedId) {
        // The player aims: sure up close, still good at a distance.
        chance = distance <= 15.0f ? 0.95f : std::max(0.3f, 0.95f - (distance - 15.0f) * 0.007f);
    } else {
        chance = distance <= 10.0f ? 0.5f : std::max(0.05f, 0.5f - (distance - 10.0f) * 0.0076f);
    }
    if (world.perception.isCrouching(target))
        chance *= 0.7f;
    const Movement movement = world.perception.movementOf(target);
    if (movement == Movement::Running || movement == Movement::Sprinting)
        chance *= 0.7f;
    return chance;
}

bool Combat::shootAt(World& world, int shooter, int target) {
    return shootAt(world, shooter, target, hitChance(world, shooter, target));
}

bool Combat::shootAt(World& world, int shooter, int target, float chance) {
    const EntityRecord* from = world.entities.find(shooter);
    const EntityRecord* to = world.entities.find(target);
    if (!from || !to || isDown(world, shooter))
        return false;
    std::uniform_real_distribution<float> roll(0.0f, 1.0f);
    const bool hit = roll(world.random) < chance;
    int damage = 0;
    if (hit) {
        if (shooter == world.player.pedId)
            damage = randomBetween(world, 45, 110); // one good hit often kills
        else if (target == world.player.pedId)
            damage = randomBetween(world, 10, 19);
        else
            damage = randomBetween(world, 20, 40);
    }
    drovil::Vector3 aim = to->position;
    if (!hit) {
        // A miss passes close by the target.
        std::uniform_real_distribution<float> spread(-1.5f, 1.5f);
        aim.x += spread(world.random);
        aim.y += spread(world.random);
    }
    fire(world, shooter, from->position, aim, target, hit, damage);
    return hit;
}

void Combat::shootTowards(World& world, int shooter, const drovil::Vector3& point) {
    const EntityRecord* from = world.entities.find(shooter);
    if (!from || isDown(world, shooter))
        return;
    fire(world, shooter, from->position, point, 0, false, 0);
}

void Combat::fire(World& world, int shooter, const drovil::Vector3& from, const drovil::Vector3& to,
                  int target, bool hit, int damageDone) {
    const std::uint64_t now = world.clock.elapsedMs;
    PedCombat& c = of(shooter);
    c.hasFired = true;
    c.lastShotMs = now;
    // Over the oldest kept shot once hours of play have fired thousands.
    shots_.push_back({now, shooter, target, from, to, hit, damageDone});

    Perception& senses = world.perception;
    senses.raiseAround(world, from, Perception::gunshotAudibleRange, gameHash(events::shotFired), shooter,
                       shooter);
    world.fleeing.frightenAround(world, from, Fleeing::gunshotRange, from, shooter);
    // The bullet carries on past the aim point.
    const float length = distance3d(from, to);
    drovil::Vector3 end = to;
    if (length > 0.01f) {
        const float extend = (length + 30.0f) / length;
        end = drovil::Vector3(from.x + (to.x - from.x) * extend, from.y + (to.y - from.y) * extend,
                              from.z + (to.z - from.z) * extend);
    }
    const std::uint32_t whizz = gameHash(events::shotWhizzedBy);
    std::vector<int> whizzedBy;
    for (const auto& [id, record] : world.entities.all()) {
        if (id == shooter || record.kind != EntityKind::Ped || !record.alive)
            continue;
        if (id == target && hit)
            continue;
        if (distanceToSegment(record.position, from, end) <= Perception::whizzByDistance) {
            senses.raise(id, whizz, shooter, now);
            whizzedBy.push_back(id);
        }
    }
    for (int id : whizzedBy)
        world.fleeing.frighten(world, id, from);
    if (shooter == world.player.pedId)
        world.law.playerFired(world, hit ? target : 0);
    if (hit && target != 0)
        damage(world, target, damageDone, shooter);
}

void Combat::damage(World& world, int victim, int amount, int attacker) {
    EntityRecord* record = world.entities.find(victim);
    if (!record || !record->alive || record->invincible)
        return;
    PedCombat& c = of(victim);
    c.health -= amount;
    c.lastAttacker = attacker;
    if (c.health <= 0) {
        kill(world, victim, attacker);
        return;
    }
    // A wounded civilian or game animal runs from whoever hurt it; anyone else fights back.
    const EntityRecord* from = world.entities.find(attacker);
    if (world.wildlife.isWild(victim)) {
        world.wildlife.startle(world, victim, from ? from->position : record->position);
        return;
    }
    if (from && Fleeing::canBeFrightened(world, victim)) {
        world.fleeing.frighten(world, victim, from->position);
        return;
    }
    if (attacker != 0 && !record->knockedOut && victim != world.player.pedId && record->combatOpponent == 0)
        startFight(world, victim, attacker);
}

void Combat::kill(World& world, int victim, int attacker) {
    EntityRecord* record = world.entities.find(victim);
    if (!record || !record->alive)
        return;
    PedCombat& c = of(victim);
    c.health = 0;
    c.lastAttacker = attacker;
    record->alive = false;
    takeOutOfAction(world, victim);
    if (victim == world.player.pedId)
        world.player.dead = true; // the game shows its death screen; the player respawns later
    if (attacker == world.player.pedId)
        world.law.playerAttacked(world, victim);
}

void Combat::knockOut(World& world, int victim, int attacker) {
    EntityRecord* record = world.entities.find(victim);
    if (!record || !record->alive)
        return;
    record->knockedOut = true;
    of(victim).lastAttacker = attacker;
    if (attacker != 0) {
        const std::uint64_t until = world.clock.elapsedMs + meleeMs;
        of(attacker).meleeUntilMs = until;
        of(victim).meleeUntilMs = until;
    }
    takeOutOfAction(world, victim);
    if (attacker == world.player.pedId)
        world.law.playerAttacked(world, victim);
}

void Combat::takeOutOfAction(World& world, int victim) {
    stopFight(world, victim);
    world.tasks.clear(victim);
    // Nobody fights a ped that is down.
    for (auto& [id, record] : world.entities.all())
        if (record.combatOpponent == victim)
            record.combatOpponent = 0;
}

void Combat::step(World& world) {
    const std::uint64_t now = world.clock.elapsedMs;
    const float frameSeconds = static_cast<float>(world.clock.frameMs) / 1000.0f;
    std::vector<int> fighters;
    for (const auto& [id, record] : world.entities.all())
        if (record.combatOpponent != 0 && record.kind == EntityKind::Ped && id != world.player.pedId)
            fighters.push_back(id);
    for (int id : fighters) {
        EntityRecord* self = world.entities.find(id);
        if (!self || self->combatOpponent == 0)
            continue;
        const int target = self->combatOpponent;
        const EntityRecord* foe = world.entities.find(target);
        if (isDown(world, id) || !foe || isDown(world, target)) {
            self->combatOpponent = 0;
            continue;
        }
        PedCombat& c = of(id);
        const float distance = distance3d(self->position, foe->position);
        // With a gun: close in at a run to shooting distance and fire. Without
        // one: close in all the way and throw punches.
        const bool armed = Weapons::isGun(world.weapons.current(world, id));
        const float keepAt = armed ? closeInDistance : punchReach;
        if (distance > keepAt) {
            float heading = self->heading;
            moveTowards(self->position, heading, foe->position, metresPerSecond(2.0f) * frameSeconds, keepAt);
        }
        self->heading = headingTowards(self->position, foe->position);
        if (now < c.nextShotMs)
            continue;
        if (armed && distance <= weaponRange) {
            c.nextShotMs = now + static_cast<std::uint64_t>(randomBetween(world, 1200, 2400));
            shootAt(world, id, target);
        } else if (!armed && distance3d(self->position, foe->position) <= punchReach + 0.1f) {
            c.nextShotMs = now + static_cast<std::uint64_t>(randomBetween(world, 1000, 1800));
            punch(world, id, target);
        }
    }
}

} // namespace sim
