#pragma once
// The game animals of the wild country. The game keeps the land about the
// player populated with them: out in the country (never in a town) animals
// appear out of his sight and are taken away again once he has left them far
// behind, grazers and birds by day, fewer grazers and the predators by night.
// The ground about a hunting camp (its tent propset) is rich in game: it keeps
// a herd of deer, rabbits, a few birds and a predator or two, each grazing
// about its own spot, and an animal of the herd that is killed or carried off
// is made up for in time, out of the player's sight. An animal bolts from a
// shot it hears (the nearer, the farther it runs), from a bullet or a wound,
// and from a person who comes close without crouching (crouched, he gets three
// times as near); it runs straight away for a while, settles where it stopped
// and grazes its way back to its own ground. By night the animals bed down:
// they rest far longer between one bite and the next. Dead animals lie where
// they fell until someone carries them off (world/wildlife/hunting.h).
#include "runtime/types.h"
#include "world/core/entities.h"

#include <cstdint>
#include <map>
#include <random>
#include <set>

namespace sim {

struct World;
struct AnimalKind;

struct WildAnimal {
    const AnimalKind* kind = nullptr;
    drovil::Vector3 home;          // the spot it grazes about now
    drovil::Vector3 range;         // its own ground, where it grazes back to after a fright
    bool walking = false;          // grazing: walking to the next point
    drovil::Vector3 grazePoint;
    std::uint64_t restUntilMs = 0; // grazing: when it moves on
    drovil::Vector3 fleeFrom;      // what it runs from
    std::uint64_t fleeUntilMs = 0; // it runs until then
    int camp = 0;                  // the hunting camp's propset it lives about (0: none)
    bool roaming = false;          // one of the animals the game keeps about the player
};

class Wildlife {
public:
    // A herd lives this far about a hunting camp: none closer than the inner
    // ring (the camp's noise keeps them off), none beyond the outer.
    static constexpr float herdInnerRadius = 25.0f;
    static constexpr float herdOuterRadius = 110.0f;
    static constexpr float grazeRadius = 12.0f;
    static constexpr std::uint64_t fleeMs = 8000;
    // A crouched person alarms an animal only this share of its alert distance away.
    static constexpr float crouchedAlertShare = 1.0f / 3.0f;
    // A shot is heard this far by game animals; within the nearer range they
    // run the whole spell, beyond it a shorter one, down to this share of it.
    static constexpr float shotAlarmRange = 120.0f;
    static constexpr float shotBoltRange = 50.0f;
    static constexpr float farShotShare = 0.25f;
    // After a fright an animal grazes its way back to its own ground, this far
    // nearer with each walk.
    static constexpr float homingPerWalk = 8.0f;
    // By night animals rest this many times longer between walks.
    static constexpr int nightRestFactor = 3;
    // The game's night for its animals: from 21:00 to 04:59.
    static constexpr int nightFromHour = 21;
    static constexpr int nightUntilHour = 5;
    // A camp's herd is made up for one animal at a time, this often, each
    // appearing at least this far from the player.
    static constexpr std::uint64_t restockEveryMs = 60000;
    static constexpr float unseenDistance = 100.0f;
    // The animals the game keeps about the player out in the country, by day
    // and by night, appearing this far from him; they are taken away beyond
    // the game's stream-out distance.
    static constexpr int roamingByDay = 5;
    static constexpr int roamingByNight = 3;
    static constexpr float roamingMinDistance = 140.0f;
    static constexpr float roamingMaxDistance = 240.0f;

    // With false the game keeps no animals about the player (a camp's herd still
    // lives there).
    bool roamingEnabled = true;

    // The tent propsets of hunting camps.
    static bool isHuntingCampPropset(std::uint32_t name);

    // Stocks the ground about a point with a herd now (the camps do it on their
    // own, naming themselves as `camp`).
    void stockAround(World& world, const drovil::Vector3& centre, int camp = 0);
    // One wild animal of the model at the position (tests place them where they need).
    int spawn(World& world, std::uint32_t model, const drovil::Vector3& position);

    bool isWild(int ped) const { return animals_.count(ped) != 0; }
    // The game's night for its animals at the world's hour.
    static bool isNight(const World& world);
    bool isFleeing(int ped, std::uint64_t nowMs) const;
    // The animal is no longer alarmed: it grazes where it stands.
    void calm(int ped);
    // The animal bolts from the point, for the spell given (nothing for a dead
    // or unknown one).
    void startle(World& world, int ped, const drovil::Vector3& from, std::uint64_t forMs = fleeMs);
    const std::map<int, WildAnimal>& all() const { return animals_; }

    // One frame: new camps get their herds; every living animal grazes, notices
    // danger and runs. The herd of a camp that is gone streams out as the game's
    // ambient animals do, each once the player is far from it.
    void step(World& world);

private:
    struct Herd {
        drovil::Vector3 centre;
        std::uint64_t nextRestockMs = 0;
    };
    void seedOnce(const World& world);
    void stockNewCamps(World& world);
    void restockHerds(World& world);
    void keepRoamingAnimals(World& world);
    void hearShots(World& world);
    void noticeDanger(World& world, int ped, WildAnimal& animal);
    void graze(World& world, EntityRecord& record, WildAnimal& animal, float frameSeconds);
    void streamOutHerdsOfGoneCamps(World& world);
    // A point on the ground `from` to `to` metres from `centre`, at least
    // `unseen` metres from the player and (out of town when `countryOnly`);
    // false when a few tries find none.
    bool pointOutOfSight(const World& world, const drovil::Vector3& centre, float from, float to, float unseen,
                         bool countryOnly, drovil::Vector3& point);
    int spawnAt(World& world, const char* model, const drovil::Vector3& position, int camp, bool roaming);
    bool aliveAndFree(const World& world, int id) const;

    std::mt19937 random_;
    bool seeded_ = false;
    std::set<int> stockedPropsets_;
    std::map<int, Herd> herds_; // by camp propset
    std::map<int, WildAnimal> animals_;
    std::size_t shotsSeen_ = 0;
};

} // namespace sim
