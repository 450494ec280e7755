#pragma once
// The game's own townsfolk: passers-by the game keeps about the player while
// he is in a town, walking the town's streets from one corner of it to another
// (world/places/town_streets.h) and stopping a while where they were going,
// and takes away once he has left them far behind. A script may take one over, making it a mission entity
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
    drovil::Vector3 home;          // where it appeared
    std::uint32_t town = 0;        // the town whose streets it walks
    float side = 0.0f;             // metres to the right of the street's middle it keeps to
    bool strolling = false;        // strolling since it was last held
    std::vector<int> way;          // the street corners of its walk, the last where it is going
    std::size_t nextCorner = 0;    // the one it heads for now
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
    // Each walks along the streets to a corner of the town within this many
    // metres, stops there a while, and sets off for another.
    float walkReach = 120.0f;
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

    // A passer-by of the model standing at the position, setting off along the
    // streets of the town there.
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
    void setOff(World& world, int ped, PasserBy& passerBy);
    void walkToNextCorner(World& world, int ped, PasserBy& passerBy);
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
