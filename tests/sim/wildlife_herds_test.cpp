// The herds about hunting camps: a camp placed in the world gets its herd; a
// herd that bolts from a shot settles and grazes its way back; animals of the
// herd killed or carried off are made up for in time, out of the player's
// sight (by night the birds stay roosted); and the herd of a camp the game has
// cleared away goes as the game's ambient animals do, out of the player's
// sight, so that a long game does not keep every camp's animals.
#include "sim/living_world.h"

#include "world/places/propsets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace simtest;

namespace {

// The animals of hunting camps' herds (not the ones the game keeps about the player).
std::size_t herdSize(const sim::World& world) {
    std::size_t size = 0;
    for (const auto& [id, animal] : world.wildlife.all())
        size += animal.camp != 0 ? 1 : 0;
    return size;
}

int placeHuntingCamp(sim::World& world, const drovil::Vector3& at) {
    const std::uint32_t tent = sim::gameHash("pg_ambient_campfire04x_tent");
    world.propsets.request(tent, world.clock.frame);
    stepFrames(world, static_cast<int>(sim::Propsets::framesToLoad) + 1);
    return world.propsets.place(tent, at, 0.0f, true, world.clock.frame);
}

// The player at a hunting camp in open country, its herd about it: the camp's handle.
int standAtStockedCamp(sim::World& world) {
    world.playerPed().position = openCountry;
    const int camp = placeHuntingCamp(world, openCountry);
    stepFrames(world, 2);
    return camp;
}

// The herd's living animals, by id, where they are.
std::map<int, drovil::Vector3> livingHerd(const sim::World& world) {
    std::map<int, drovil::Vector3> living;
    for (const auto& [id, animal] : world.wildlife.all()) {
        const sim::EntityRecord* record = world.entities.find(id);
        if (animal.camp != 0 && record && record->alive && world.hunting.carrierOf(id) == 0)
            living[id] = record->position;
    }
    return living;
}

float flat(const drovil::Vector3& a, const drovil::Vector3& b) { return std::hypot(a.x - b.x, a.y - b.y); }

constexpr int framesPerMinute = 60 * 1000 / 33;

} // namespace

TEST(SimWildlife, AGoneCampsHerdLeavesOnceThePlayerIsFarAndIsNotStockedAgain) {
    sim::World world(1);
    const int camp = standAtStockedCamp(world);
    ASSERT_NE(camp, 0);
    const std::size_t herd = herdSize(world);
    ASSERT_GT(herd, 5u) << "a hunting camp gets its herd";
    stepFrames(world, 60);
    EXPECT_EQ(herdSize(world), herd) << "stocked once";

    // A script takes one animal over (a hunter's kill, say): it stays its own.
    const int kept = world.wildlife.all().begin()->first;
    world.entities.find(kept)->missionEntity = true;

    // The camp is handed back to the game; near the player, nothing goes.
    world.propsets.find(camp)->fate = sim::PropsetFate::Released;
    stepFrames(world, 90);
    EXPECT_EQ(herdSize(world), herd) << "nothing goes while the player is about";

    // Far away, the game clears the camp away and its animals with it.
    world.playerPed().position = shifted(openCountry, 2000.0f, 0.0f);
    stepFrames(world, 120);
    EXPECT_TRUE(world.propsets.find(camp)->streamedOut);
    EXPECT_EQ(herdSize(world), 1u) << "only the animal a script holds is left";
    EXPECT_TRUE(world.entities.exists(kept));
    stepFrames(world, 120);
    EXPECT_EQ(herdSize(world), 1u) << "a cleared camp is not stocked again";
}

TEST(SimWildlife, ShotsAlarmTheHerdOnlyWhenFiredAndNotWhenItIsStockedLater) {
    sim::World world(1);
    world.playerPed().position = openCountry;
    const int shooter = addPed(world, shifted(openCountry, 2.0f, 0.0f));
    // More shots than the combat record keeps, before any animal is about.
    for (std::size_t i = 0; i < sim::Combat::keptShots + 10; ++i)
        world.combat.shootTowards(world, shooter, shifted(openCountry, 30.0f, 0.0f));
    ASSERT_NE(placeHuntingCamp(world, openCountry), 0);
    stepFrames(world, 2);
    ASSERT_GT(herdSize(world), 0u);
    for (const auto& [id, animal] : world.wildlife.all())
        EXPECT_FALSE(world.wildlife.isFleeing(id, world.clock.elapsedMs)) << "old shots are not heard";

    world.combat.shootTowards(world, shooter, shifted(openCountry, 30.0f, 0.0f));
    stepFrame(world);
    int fleeing = 0;
    for (const auto& [id, animal] : world.wildlife.all())
        fleeing += world.wildlife.isFleeing(id, world.clock.elapsedMs) ? 1 : 0;
    EXPECT_GT(fleeing, 0) << "a shot fired now, after the record is full, is heard";
}

TEST(SimWildlife, ADeletedCampsHerdLeavesToo) {
    sim::World world(1);
    const int camp = standAtStockedCamp(world);
    ASSERT_NE(camp, 0);
    ASSERT_GT(herdSize(world), 0u);
    world.propsets.find(camp)->fate = sim::PropsetFate::Deleted;
    world.playerPed().position = shifted(openCountry, 2000.0f, 0.0f);
    stepFrames(world, 60);
    EXPECT_EQ(herdSize(world), 0u);
}

// A shot in the middle of the herd sends it running; each animal settles where
// it stopped, and grazes its way back to its own ground within minutes.
TEST(SimWildlife, AHerdThatBoltedFromAShotSettlesAndGrazesItsWayBack) {
    sim::World world(1);
    world.wildlife.roamingEnabled = false;
    world.playerPed().position = shifted(openCountry, 0.0f, 400.0f); // out of the herd's way
    ASSERT_NE(placeHuntingCamp(world, openCountry), 0);
    stepFrames(world, 2);
    const std::map<int, drovil::Vector3> before = livingHerd(world);
    ASSERT_GT(before.size(), 5u);

    drovil::Vector3 onTheGround = openCountry;
    onTheGround.z = world.geography.groundHeight(openCountry.x, openCountry.y);
    const int shooter = addPed(world, onTheGround);
    world.combat.shootTowards(world, shooter, shifted(onTheGround, 10.0f, 0.0f));
    stepFrame(world);
    // He walks off, so that nobody keeps them off their ground.
    world.entities.find(shooter)->position = shifted(openCountry, 0.0f, -500.0f);
    stepFrames(world, 12 * 1000 / 33);
    int bolted = 0;
    for (const auto& [id, at] : livingHerd(world))
        bolted += flat(at, before.at(id)) > 30.0f ? 1 : 0;
    EXPECT_GE(bolted, static_cast<int>(before.size()) - 1) << "the shot sent the herd running";

    stepFrames(world, 6 * framesPerMinute);
    int back = 0;
    for (const auto& [id, at] : livingHerd(world))
        back += flat(at, before.at(id)) <= 30.0f ? 1 : 0;
    EXPECT_GE(back, static_cast<int>(before.size()) * 4 / 5) << "grazing about their own ground again";
}

// Animals of the herd killed and carried off (a hunter's day) are made up for,
// one at a time, each out of the player's sight; by night no bird comes (they
// roost), the herd's grazers and predators make up its number.
class SimHerdRestock : public ::testing::TestWithParam<bool> {};

TEST_P(SimHerdRestock, AThinnedHerdIsMadeUpForOutOfThePlayersSight) {
    const bool night = GetParam();
    sim::World world(1);
    world.wildlife.roamingEnabled = false;
    if (night)
        world.clock.startMinuteOfDay = 23 * 60;
    const drovil::Vector3 watching = shifted(openCountry, 0.0f, -60.0f);
    world.playerPed().position = watching;
    ASSERT_NE(placeHuntingCamp(world, openCountry), 0);
    stepFrames(world, 2);
    const std::map<int, drovil::Vector3> stocked = livingHerd(world);
    const std::size_t stock = stocked.size();
    ASSERT_GT(stock, 5u);
    // Every bird and a few more, gone.
    int taken = 0;
    for (const auto& [id, at] : stocked) {
        const bool bird = sim::animalKindOf(world.entities.find(id)->model)->bird;
        if (bird || taken < 4) {
            world.removeEntity(id);
            ++taken;
        }
    }
    ASSERT_EQ(livingHerd(world).size(), stock - static_cast<std::size_t>(taken));

    std::map<int, drovil::Vector3> newcomers;
    for (int frame = 0; frame < 12 * framesPerMinute; ++frame) {
        stepFrame(world);
        for (const auto& [id, at] : livingHerd(world))
            if (!stocked.count(id) && !newcomers.count(id))
                newcomers[id] = at;
    }
    ASSERT_FALSE(newcomers.empty()) << "the herd is made up for";
    for (const auto& [id, at] : newcomers) {
        EXPECT_GE(flat(at, watching), sim::Wildlife::unseenDistance) << "appeared in the player's sight";
        EXPECT_LE(flat(at, openCountry), sim::Wildlife::herdOuterRadius + 1.0f) << "on the herd's ground";
        EXPECT_EQ(night && sim::animalKindOf(world.entities.find(id)->model)->bird, false)
            << "a bird came back at night";
    }
    EXPECT_EQ(livingHerd(world).size(), stock) << "back to a whole herd";
}

INSTANTIATE_TEST_SUITE_P(DayAndNight, SimHerdRestock, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ByNight" : "ByDay"; });
