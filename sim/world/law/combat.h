#pragma once
// Fighting in the simulated world: health, shots with an accuracy that falls
// with distance, wounds, deaths and knock-outs, and peds that fight a target:
// they take out their best weapon, close in on it, face it and fire every
// second or two; a ped with no gun closes in and throws punches, and both are
// then in a fist fight. A ped that is hit and lives fights back, but a
// civilian runs (world/people/fleeing.h). An invincible entity takes no damage.
#include "runtime/types.h"
#include "world/core/kept_records.h"

#include <cstdint>
#include <map>
#include <vector>

namespace sim {

struct World;

// A ped's fighting state beyond what its entity record holds (the opponent it
// fights and whether it is knocked out live there, where every native reads them).
struct PedCombat {
    int health = 100;
    std::uint64_t nextShotMs = 0;
    bool hasFired = false;
    std::uint64_t lastShotMs = 0;
    int lastAttacker = 0;
    // In a fist fight (swinging, being hit) until then.
    std::uint64_t meleeUntilMs = 0;
};

struct ShotRecord {
    std::uint64_t atMs = 0;
    int shooter = 0;
    int target = 0; // 0 for a shot at a point
    drovil::Vector3 from;
    drovil::Vector3 to;
    bool hit = false;
    int damage = 0;
};

class Combat {
public:
    static constexpr int fullHealth = 100;
    // Fighting peds fire within this distance and try to close in to this one.
    static constexpr float weaponRange = 70.0f;
    static constexpr float closeInDistance = 14.0f;
    // A ped counts as shooting this long after it fired.
    static constexpr std::uint64_t shootingMs = 300;
    // Fists reach this far; a swing or a blow keeps both in the fist fight this long.
    static constexpr float punchReach = 1.5f;
    static constexpr std::uint64_t meleeMs = 2000;

    PedCombat& of(int ped) { return peds_[ped]; }
    const PedCombat* find(int ped) const;

    int health(int ped) const;
    // Dead, gone or knocked out.
    static bool isDown(const World& world, int ped);
    static bool inCombat(const World& world, int ped);
    static bool inCombatWith(const World& world, int ped, int target);
    bool isShooting(int ped, std::uint64_t nowMs) const;
    bool inMelee(int ped, std::uint64_t nowMs) const;
    // A blow of the fists (or the butt of a gun) from one ped to another.
    void punch(World& world, int attacker, int victim);

    // Sends a ped at a target; it drops whatever task it had.
    void startFight(World& world, int ped, int target);
    static void stopFight(World& world, int ped);

    // The chance that a shot from the shooter hits the target now.
    float hitChance(const World& world, int shooter, int target) const;
    // A shot at a ped, hitting by chance; true when it hit. Every ped within
    // earshot hears it, and peds next to its path hear it whizz by.
    bool shootAt(World& world, int shooter, int target);
    // The same shot with the chance of hitting given (a hunter's aimed shot).
    bool shootAt(World& world, int shooter, int target, float chance);
    // A shot at a point that hits no one (a warning shot, a shot into the air).
    void shootTowards(World& world, int shooter, const drovil::Vector3& point);

    void damage(World& world, int victim, int amount, int attacker);
    void kill(World& world, int victim, int attacker);
    void knockOut(World& world, int victim, int attacker);

    // The shots fired, oldest first: the latest keptShots of them; total() counts all.
    const KeptRecords<ShotRecord>& shots() const { return shots_; }
    static constexpr std::size_t keptShots = 256;

    // One frame of every fight.
    void step(World& world);

    // The entity is gone from the world: its health and fight records go too.
    void forget(int id) { peds_.erase(id); }

private:
    void fire(World& world, int shooter, const drovil::Vector3& from, const drovil::Vector3& to, int target,
              bool hit, int damage);
    void takeOutOfAction(World& world, int victim);

    std::map<int, PedCombat> peds_;
    KeptRecords<ShotRecord> shots_{keptShots};
};

} // namespace sim
