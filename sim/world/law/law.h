#pragma once
// The law: lawmen, the towns where gunfire is a crime, and the player's wanted
// status. Shooting in a town or near a lawman, or shooting a lawman, makes the
// player wanted; the status wears off once no lawman has seen him for a while.
#include "runtime/types.h"

#include <cstdint>
#include <cstddef>
#include <set>
#include <vector>

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
    // The player roped or tied up a ped (a lasso, a hogtie): in town or in a
    // lawman's sight, a witness goes to the law a moment later, unless a
    // script keeps the witnesses quiet in the frame he would tell.
    void playerRestrained(World& world, int victim);
    static constexpr std::uint64_t witnessDelayMs = 1500;
    // Restraints seen and not yet told.
    std::size_t pendingReports() const { return reports_.size(); }

    bool wantedByLaw() const { return raised_; }
    std::uint64_t wantedUntilMs() const { return wantedUntilMs_; }

    // One frame: lawmen who see the wanted player keep it going; otherwise it wears off.
    void step(World& world);

private:
    void makeWanted(World& world, std::uint64_t forMs);

    std::set<int> lawmen_;
    std::vector<std::uint64_t> reports_; // when each witness tells the law
    bool raised_ = false; // the wanted status is this model's (a test may set it by hand)
    std::uint64_t wantedUntilMs_ = 0;
};

} // namespace sim
