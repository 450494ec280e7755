#pragma once
// The towns' saloons: each an interior with its bar and a table (their stools
// and chairs are the map's scenario points, world/places/scenario_points.h),
// and the game's own people in it while the player is about: a couple of
// drinkers and the saloon's working girls, of the models the town has. Whoever
// sits drinking at the bar or the table gets drunker as time goes by; a
// script's drunkenness level is where that starts from.
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <random>
#include <vector>

namespace sim {

struct World;

struct Saloon {
    const char* town = "";
    drovil::Vector3 door;  // the spot inside the door
    float heading = 0.0f;  // the way from the door to the bar
    int interior = 0;      // its handle among the game's interiors
    std::vector<const char*> workingGirls; // the model of each girl the saloon keeps
};

class Saloons {
public:
    // The saloon's floor reaches this far around its middle.
    static constexpr float floorRadius = 9.0f;
    // How much drunker a drinker gets each second at the bar or the table.
    static constexpr float drinkPerSecond = 0.0025f;
    // The game keeps a saloon's people while the player is within this of it.
    float populateDistance = 150.0f;
    float despawnDistance = 300.0f;
    int drinkersPerSaloon = 2;

    static const std::vector<Saloon>& all();
    // The middle of the saloon's floor (what the game gives as its interior's position).
    static drovil::Vector3 middleOf(const Saloon& saloon);
    // The saloon whose floor the position is on; null outside every saloon.
    static const Saloon* at(const drovil::Vector3& position);

    void step(World& world);

    // The working girls the game keeps in the saloon now (index into all()).
    std::vector<int> girlsOf(std::size_t saloon) const;
    bool isWorkingGirl(int ped) const { return roles_.count(ped) != 0 && roles_.at(ped).girl; }
    bool isSaloonPerson(int ped) const { return roles_.count(ped) != 0; }

private:
    struct Role {
        std::size_t saloon = 0;
        bool girl = false;
        drovil::Vector3 spot; // where a girl waits
        float heading = 0.0f;
    };
    void populate(World& world, std::size_t saloon);
    void clearOut(World& world, std::size_t saloon);
    void lookAfter(World& world, int ped, const Role& role);
    void drink(World& world);

    std::mt19937 random_;
    bool seeded_ = false;
    std::vector<bool> present_;
    std::map<int, Role> roles_;
    std::uint64_t lastDrinkMs_ = 0;
};

} // namespace sim
