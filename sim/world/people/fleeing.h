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
    // A script tells the ped to run from `from` (any ped on its feet, the
    // script's own included): it drops what it was doing and runs as a
    // frightened one does.
    void runFrom(World& world, int ped, const drovil::Vector3& from);
    // Every ped within `radius` of `where` but `except` (the shooter himself).
    void frightenAround(World& world, const drovil::Vector3& where, float radius, const drovil::Vector3& from,
                        int except);
    // A script's flee task: the ped runs from another ped for `timeMs` (-1 for
    // good), whoever holds it; only peds that are down or bound cannot.
    void fleeFrom(World& world, int ped, int fromPed, int timeMs);
    bool isFleeing(int ped, std::uint64_t nowMs) const;
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
