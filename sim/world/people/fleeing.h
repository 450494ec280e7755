#pragma once
// Civilians running from danger, as the game's townsfolk and clerks do: a shot
// fired or passing near them, a wound, or a gun pointed at them from close by
// sends them running away from it; they keep running until some time after the
// last fright, then calm down (a clerk walks back to his counter, a passer-by
// strolls on). Peds a script holds (mission entities) are the script's to
// drive, peds that block non-temporary events ignore it all, and peds that are
// down, hogtied or fighting do not run.
#include "runtime/types.h"

#include <cstdint>
#include <map>

namespace sim {

struct World;

struct Fright {
    drovil::Vector3 from;       // what the ped runs from
    std::uint64_t untilMs = 0;  // it runs until then
    drovil::Vector3 home;       // where it stood when frightened
    float homeHeading = 0.0f;
    int fromPed = 0;            // a ped it runs from, followed as it moves (0: a place)
    float safeDistance = 0.0f;  // a script's flight is over this far from the ped (0: no distance)
    bool scripted = false;      // a script's flee task, not a fright
};

class Fleeing {
public:
    static constexpr std::uint64_t calmAfterMs = 15'000;
    // Shots are frightening this close; a gun pointed at a civilian this close.
    static constexpr float gunshotRange = 45.0f;
    static constexpr float threatRange = 20.0f;

    // Whether the ped reacts to danger by running.
    static bool canBeFrightened(const World& world, int ped);
    // Frightens the ped (when it can be): it drops what it was doing and runs.
    void frighten(World& world, int ped, const drovil::Vector3& from);
    // Every ped within `radius` of `where` but `except` (the shooter himself).
    void frightenAround(World& world, const drovil::Vector3& where, float radius, const drovil::Vector3& from,
                        int except);
    // A script's flee task: the ped drops what it was doing and runs from
    // another ped, followed as he moves, for `timeMs` (-1 or less: no time
    // limit) or until it is `safeDistance` from him (0 or less: no distance);
    // with neither, for good (until the ped it runs from is gone). Whoever
    // holds the ped; only peds that are down or bound cannot.
    void fleeFrom(World& world, int ped, int fromPed, int timeMs, float safeDistance);
    bool isFleeing(int ped, std::uint64_t nowMs) const;
    // The ped still runs from `fromPed` as a script told it.
    bool fleesFrom(int ped, int fromPed, std::uint64_t nowMs) const;
    const std::map<int, Fright>& all() const { return frights_; }

    // One frame: a gun pointed at a civilian frightens it, fleeing peds run,
    // calm ones go back.
    void step(World& world);

    // The ped is gone from the world: its fright goes too.
    void forget(int ped) { frights_.erase(ped); }

private:
    std::map<int, Fright> frights_;
};

} // namespace sim
