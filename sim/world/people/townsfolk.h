#pragma once
// The game's own townsfolk: passers-by the game keeps about the player while
// he is in a town, strolling along the streets, and takes away once he has
// left them far behind. A script may take one over, making it a mission entity
// (it then stays, whatever the distance, and is no longer the game's to move
// about) and later hand it back, after which it strolls on as before. A
// frightened passer-by runs (world/people/fleeing.h) and strolls on once calm.
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <random>
#include <vector>

namespace sim {

struct World;

struct PasserBy {
    drovil::Vector3 home;          // the stretch of street it strolls about
    bool strolling = false;        // strolling since it was last held
    std::uint64_t restUntilMs = 0; // when it sets off for the next point (0: still walking)
    int restPendingMs = 0;         // how long it stops once the walk is over
};

class Townsfolk {
public:
    // With false the game keeps no passers-by (the ones about stay).
    bool enabled = true;
    // Passers-by kept within `crowdRadius` of the player in a town.
    int crowdSize = 10;
    float crowdRadius = 40.0f;
    // New ones appear this far from the player.
    float spawnMinDistance = 6.0f;
    float spawnMaxDistance = 25.0f;
    // Each strolls within this radius of where it appeared, walking from point
    // to point and stopping a while at each.
    float strollRadius = 12.0f;
    int restMinMs = 2000;
    int restMaxMs = 7000;
    // Unclaimed passers-by farther than this from the player are taken away.
    float despawnDistance = 150.0f;
    // The crowd is looked after once every so many frames.
    int framesBetweenChecks = 15;

    // The look of the town's folk, by town zone hash (any other town gets the
    // common folk).
    static const std::vector<std::uint32_t>& modelsOf(std::uint32_t townZone);

    void step(World& world);

    // A passer-by of the model standing at the position, strolling about it.
    int spawn(World& world, const drovil::Vector3& position, std::uint32_t model);

    bool isPasserBy(int ped) const { return folk_.count(ped) != 0; }
    // One of the game's own, not held by a script.
    bool isAmbient(const World& world, int ped) const;

    const std::map<int, PasserBy>& all() const { return folk_; }
    // How many passers-by the game has taken away so far.
    int removedCount() const { return removed_; }

private:
    void lookAfterCrowd(World& world);
    void seedOnce(const World& world);
    void walkOn(World& world, int ped, PasserBy& passerBy);
    static bool heldByScript(const World& world, int ped);

    // The crowd draws from its own numbers, so that its coming and going leaves
    // the game's random numbers, which scripts draw from, as they would be.
    std::mt19937 random_;
    bool seeded_ = false;
    std::map<int, PasserBy> folk_;
    std::uint64_t lastCheckFrame_ = 0;
    int removed_ = 0;
};

} // namespace sim
