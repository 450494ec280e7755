#pragma once
// The law: lawmen, the towns where gunfire is a crime, and the player's wanted
// status. Shooting in a town or near a lawman, or shooting a lawman, makes the
// player wanted; the status wears off once no lawman has seen him for a while.
#include "runtime/types.h"

#include <cstdint>
#include <set>

namespace sim {

struct World;

struct Town {
    const char* name;
    drovil::Vector3 centre;
    float radius;
};

class Law {
public:
    // How long an offence keeps the player wanted, and how long a lawman who
    // sees a wanted player keeps it going.
    static constexpr std::uint64_t offenceMs = 60'000;
    static constexpr std::uint64_t sightingMs = 20'000;
    // Gunfire this close to a lawman is noticed; a lawman this close sees the player.
    static constexpr float lawmanHearing = 80.0f;
    static constexpr float lawmanSight = 40.0f;

    void addLawman(int ped) { lawmen_.insert(ped); }
    // The ped is long gone from the world.
    void forget(int ped) { lawmen_.erase(ped); }
    // A ped the world counts as a lawman: marked so, or in the game's police group.
    bool isLawman(const World& world, int ped) const;
    // The town around a position, or null in open country.
    static const Town* townAt(const drovil::Vector3& position);

    // The player fired a shot (at `victim`, 0 for none).
    void playerFired(World& world, int victim);
    // The player attacked a ped by other means (a knock-out, a kill).
    void playerAttacked(World& world, int victim);

    bool wantedByLaw() const { return raised_; }
    std::uint64_t wantedUntilMs() const { return wantedUntilMs_; }

    // One frame: lawmen who see the wanted player keep it going; otherwise it wears off.
    void step(World& world);

private:
    void makeWanted(World& world, std::uint64_t forMs);

    std::set<int> lawmen_;
    bool raised_ = false; // the wanted status is this model's (a test may set it by hand)
    std::uint64_t wantedUntilMs_ = 0;
};

} // namespace sim
