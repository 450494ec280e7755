// The animals the game keeps about the player out in the country: they appear
// out of his sight, grazers and birds by day, fewer grazers and the predators
// by night, none in a town, and those he leaves far behind are taken away.
#include "sim/living_world.h"

#include "world/wildlife/animals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace simtest;

namespace {

float flat(const drovil::Vector3& a, const drovil::Vector3& b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The living animals the game keeps about the player, where each was first seen.
struct Roaming {
    std::map<int, drovil::Vector3> firstSeen;
    std::map<int, const sim::AnimalKind*> kinds;

    void look(const sim::World& world) {
        for (const auto& [id, animal] : world.wildlife.all()) {
            const sim::EntityRecord* record = world.entities.find(id);
            if (!animal.roaming || !record || firstSeen.count(id))
                continue;
            firstSeen[id] = record->position;
            kinds[id] = animal.kind;
        }
    }
    // Those still in the world and alive.
    int living(const sim::World& world) const {
        int count = 0;
        for (const auto& [id, at] : firstSeen) {
            const sim::EntityRecord* record = world.entities.find(id);
            count += record && record->alive ? 1 : 0;
        }
        return count;
    }
};

Roaming watchFor(sim::World& world, int seconds) {
    Roaming roaming;
    for (int frame = 0; frame < seconds * 1000 / 33; ++frame) {
        stepFrame(world);
        roaming.look(world);
    }
    return roaming;
}

} // namespace

TEST(SimWildlifeRoaming, ByDayGrazersAndBirdsAppearAboutThePlayerOutOfHisSight) {
    sim::World world(1);
    world.playerPed().position = openCountry;
    const Roaming roaming = watchFor(world, 30);
    EXPECT_EQ(roaming.living(world), sim::Wildlife::roamingByDay);
    for (const auto& [id, at] : roaming.firstSeen) {
        EXPECT_GE(flat(at, openCountry), sim::Wildlife::roamingMinDistance) << "appeared in his sight";
        EXPECT_LE(flat(at, openCountry), sim::Wildlife::roamingMaxDistance);
        EXPECT_FALSE(roaming.kinds.at(id)->predator) << roaming.kinds.at(id)->model << " by day";
    }
}

TEST(SimWildlifeRoaming, ByNightFewerAndThePredatorsAreAboutButNoBirds) {
    sim::World world(1);
    world.clock.startMinuteOfDay = 23 * 60;
    world.playerPed().position = openCountry;
    Roaming roaming = watchFor(world, 30);
    EXPECT_EQ(roaming.living(world), sim::Wildlife::roamingByNight);
    // Over a longer night, as they come and go, the predators show.
    world.playerPed().position = shifted(openCountry, 1500.0f, 0.0f);
    for (int leg = 0; leg < 4; ++leg) {
        world.playerPed().position = shifted(world.playerPed().position, 0.0f, 900.0f);
        const Roaming more = watchFor(world, 20);
        roaming.firstSeen.insert(more.firstSeen.begin(), more.firstSeen.end());
        roaming.kinds.insert(more.kinds.begin(), more.kinds.end());
    }
    int predators = 0;
    for (const auto& [id, kind] : roaming.kinds) {
        EXPECT_FALSE(kind->bird) << kind->model << " by night";
        predators += kind->predator ? 1 : 0;
    }
    EXPECT_GT(predators, 0);
}

TEST(SimWildlifeRoaming, NoneInTownAndThoseLeftFarBehindAreTakenAway) {
    sim::World world(1);
    // Valentine's main street.
    world.playerPed().position = drovil::Vector3(-312.085f, 830.793f, 119.576f);
    EXPECT_EQ(watchFor(world, 20).firstSeen.size(), 0u) << "the game keeps no wild animals in town";

    world.playerPed().position = openCountry;
    const Roaming here = watchFor(world, 20);
    ASSERT_GT(here.firstSeen.size(), 0u);
    // He rides 2 km on: those behind are gone, others are about him there.
    world.playerPed().position = shifted(openCountry, 2000.0f, 0.0f);
    const Roaming there = watchFor(world, 20);
    for (const auto& [id, at] : here.firstSeen)
        EXPECT_FALSE(world.entities.exists(id)) << "left far behind, still in the world";
    EXPECT_EQ(there.living(world), sim::Wildlife::roamingByDay);
}
