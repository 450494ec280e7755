#pragma once
// The game animals of the wild country. The simulator keeps them where someone
// hunts: about every hunting camp placed in the world (its tent propset) lives
// a herd of deer, rabbits, a few birds and a predator or two, each grazing
// about its own spot. An animal bolts from a shot it hears, from a bullet or a
// wound, and from a person who comes close without crouching (crouched, he
// gets three times as near); it runs straight away for a while and settles
// where it stopped. Dead animals lie where they fell until someone carries
// them off (world/wildlife/hunting.h).
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
    drovil::Vector3 home;          // the spot it grazes about
    bool walking = false;          // grazing: walking to the next point
    drovil::Vector3 grazePoint;
    std::uint64_t restUntilMs = 0; // grazing: when it moves on
    drovil::Vector3 fleeFrom;      // what it runs from
    std::uint64_t fleeUntilMs = 0; // it runs until then
    int camp = 0;                  // the hunting camp's propset it lives about (0: placed on its own)
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
    // A shot is heard this far by game animals.
    static constexpr float shotAlarmRange = 120.0f;

    // The tent propsets of hunting camps.
    static bool isHuntingCampPropset(std::uint32_t name);

    // Stocks the ground about a point with a herd now (the camps do it on their
    // own, naming themselves as `camp`).
    void stockAround(World& world, const drovil::Vector3& centre, int camp = 0);
    // One wild animal of the model at the position (tests place them where they need).
    int spawn(World& world, std::uint32_t model, const drovil::Vector3& position);

    bool isWild(int ped) const { return animals_.count(ped) != 0; }
    bool isFleeing(int ped, std::uint64_t nowMs) const;
    // The animal is no longer alarmed: it grazes where it stands.
    void calm(int ped);
    // The animal bolts from the point (nothing for a dead or unknown one).
    void startle(World& world, int ped, const drovil::Vector3& from);
    const std::map<int, WildAnimal>& all() const { return animals_; }

    // One frame: new camps get their herds; every living animal grazes, notices
    // danger and runs. The herd of a camp that is gone streams out as the game's
    // ambient animals do, each once the player is far from it.
    void step(World& world);

private:
    void seedOnce(const World& world);
    void stockNewCamps(World& world);
    void noticeDanger(World& world, int ped, WildAnimal& animal);
    void graze(World& world, EntityRecord& record, WildAnimal& animal, float frameSeconds);
    void streamOutHerdsOfGoneCamps(World& world);

    std::mt19937 random_;
    bool seeded_ = false;
    std::set<int> stockedPropsets_;
    std::map<int, WildAnimal> animals_;
    std::size_t shotsSeen_ = 0;
};

} // namespace sim
