// Saloon contracts in the simulated game, run by the contract engine: the
// target made out only up close inside, the saloon's clock that sends him out,
// and the working girl the player may pay to lure him: who can be asked, what
// the offer shows, a provocation, a refusal, and what is left at the end.
#include "engine/drovil_engine.h"
#include "engine/engine_support.h"
#include "executors/camp_rig.h"
#include "executors/saloon_executor.h"
#include "support/game.h"
#include "world/area_ids.h"
#include "world/town/interiors.h"
#include "world/town/saloons.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
using namespace drovil;

constexpr int missionId = 5;
// Valentine's first saloon, and its index in the simulator's list.
const Vector3 saloonSpot(-240.996f, 769.99f, 118.085f);
constexpr std::size_t valentineSaloon = 1;
constexpr int valentineSaloonInterior = 4102;

MissionData saloonRecord(int guards = 1) {
    MissionData record = MissionData::newRecord(missionId, saloonSpot, 0, static_cast<int>(SettingType::Saloon),
                                                area_ids::asSigned(area_ids::Valentine), 55);
    record.targetModel = sim::gameHash("g_m_m_unicriminals_01");
    record.guardModel = record.targetModel;
    record.guardsCount = guards;
    record.isTargetACriminal = true;
    record.blipRadius = 30.0f;
    record.spawnDistance = 75.0f;
    record.missionAreaRadius = 90.0f;
    record.blipCoords = saloonSpot;
    return record;
}

SaloonExecutor* saloon() {
    DrovilEngine* engine = drovilEngine();
    return engine ? dynamic_cast<SaloonExecutor*>(engine->find(missionId)) : nullptr;
}

struct SaloonGame {
    explicit SaloonGame(std::vector<std::string> settings = {}, int guards = 1)
        : record(saloonRecord(guards)), session(camptest::campOptions(record, std::move(settings))) {
        put(Vector3(saloonSpot.x, saloonSpot.y - 400.0f, saloonSpot.z));
        ok = test::startGame(session) && saloon() != nullptr;
    }
    sim::World& world() { return session.world(); }
    void put(const Vector3& at) { world().playerPed().position = at; }
    // Into the saloon: runs until the hunt is on.
    bool hunt() {
        put(Vector3(saloonSpot.x, saloonSpot.y - 60.0f, saloonSpot.z));
        if (!session.runUntil([&] { return session.logContains("mission set prepared"); }, 900))
            return false;
        put(Vector3(saloonSpot.x, saloonSpot.y - 2.0f, saloonSpot.z));
        return session.runUntil([&] { return saloon() && saloon()->getMission()->status == 1; }, 300);
    }
    int target() {
        for (const auto& [id, ped] : world().entities.all())
            if (ped.decorators.count("KV_Drovil_isContractTarget") && ped.decorators.at("KV_Drovil_isContractTarget"))
                return id;
        return 0;
    }
    Vector3 positionOf(int ped) { return world().entities.find(ped)->position; }
    // Game time with the player kept `metres` south of the ped (looking at him).
    void stayNear(int ped, float metres, std::uint32_t milliseconds) {
        const std::uint64_t until = world().clock.elapsedMs + milliseconds;
        while (world().clock.elapsedMs < until) {
            const Vector3 at = positionOf(ped);
            put(Vector3(at.x, at.y - metres, at.z));
            session.runFrames(1);
        }
    }
    bool recognised() { return session.logContains("ContractExecutor [5]: contract target detected"); }
    // The target made out from 3 m: the lure is open from then on. The player
    // looks at him with no one in focus: a girl he focused on before would
    // otherwise be the one the lure check follows while he looks.
    bool recogniseTarget() {
        world().player.targetEntity = 0;
        stayNear(target(), 3.0f, 8000);
        return recognised();
    }
    std::vector<int> girls() { return world().saloons.girlsOf(valentineSaloon); }
    int step(int girl) {
        const auto& decorators = world().entities.find(girl)->decorators;
        auto found = decorators.find("KV_Drovil_prostituteInteractionStep");
        return found == decorators.end() ? 0 : found->second;
    }
    // Next to the girl, focused on her and greeting her.
    bool greet(int girl, float metres = 1.5f) {
        const Vector3 at = positionOf(girl);
        put(Vector3(at.x, at.y - metres, at.z));
        world().player.targetEntity = girl;
        return world().interactions.greet(world());
    }
    // With $20 in his pocket the player greets the girl, waits for the lure's
    // offer and pays it, the target this drunk (0 sober, 1 very drunk).
    bool payToLure(int girl, float drunkenness) {
        world().player.cashCents = 2000;
        if (!greet(girl) || !session.runUntil([&] { return lurePrompt() && lurePrompt()->enabled; }, 60))
            return false;
        world().traits.setDrunkenness(target(), true, drunkenness);
        world().prompts.press(lurePrompt()->handle);
        session.runFrames(2);
        return true;
    }
    // Into the saloon, the target made out and the first girl paid to lure
    // him, very drunk: runs until she walks him to the quiet spot, the player
    // out of the way. Returns the girl, 0 when it did not come to that.
    int lureHimOut() {
        if (!hunt() || !recogniseTarget())
            return 0;
        const int girl = girls()[0];
        if (!payToLure(girl, 1.0f) || !saloon()->getLureTask() || !saloon()->getLureTask()->accepts())
            return 0;
        world().player.targetEntity = 0;
        put(Vector3(saloonSpot.x, saloonSpot.y - 20.0f, saloonSpot.z));
        const bool walking = session.runUntil(
            [&] { return saloon()->getLureTask() && saloon()->getLureTask()->phase() == ProstituteLureTask::Walking; },
            3000);
        return walking ? girl : 0;
    }
    const sim::PromptRecord* lurePrompt() {
        for (const auto& [handle, prompt] : world().prompts.all())
            if (prompt.text == "Pay her to lure him out ($5.00)")
                return &prompt;
        return nullptr;
    }
    bool helpShown(const std::string& text) {
        for (const sim::HelpBoxShown& box : world().hud.helpBoxes)
            if (box.text.find(text) != std::string::npos)
                return true;
        return false;
    }
    // Sets the saloon's clock so that the plug-in reads `ms` in the next frame.
    void saloonClockNextFrame(int ms) {
        world().secondTimer.set(world().clock.elapsedMs + world().clock.frameMs, ms);
    }

    MissionData record;
    sim::Session session;
    bool ok = false;
};

TEST(SaloonScene, TheTargetAndHisGuardDrinkInTheSaloonWithTheGirlsAbout) {
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    const int target = game.target();
    ASSERT_NE(target, 0);
    EXPECT_TRUE(game.session.logContains("ContractExecutor [5]: target created. distance from origin coords: "));
    game.session.runFor(15000);
    EXPECT_EQ(sim::Interiors::at(game.positionOf(target)), valentineSaloonInterior);
    // He is sent to the nearest seat about him, walks there and sits: never
    // sent anywhere else while on his way or seated.
    const sim::PedActivity* activity = game.world().tasks.find(target);
    ASSERT_NE(activity, nullptr);
    ASSERT_FALSE(activity->steps.empty());
    EXPECT_EQ(activity->steps.front().kind, sim::TaskKind::UseNearestScenario);
    EXPECT_TRUE(game.world().tasks.usingScenario(target)) << "seated";
    const std::uint32_t nearestScenario = sim::gameHash("SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS");
    for (const auto& [id, ped] : game.world().entities.all())
        if (ped.missionEntity && ped.kind == sim::EntityKind::Ped)
            EXPECT_EQ(game.world().tasks.regivenWhileUnderWay(id, nearestScenario), 0u) << "ped " << id;
    EXPECT_GT(game.world().traits.drunkennessOf(target), 0.0f);
    EXPECT_EQ(game.girls().size(), 2u);
    EXPECT_EQ(saloon()->getSaloonState(), SaloonExecutor::Drinking);
}

TEST(SaloonRecognition, InsideByEyeOnlyFromFiveMetres) {
    // 7 m is well within the general 20 m, but not inside a saloon.
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    game.stayNear(game.target(), 7.0f, 15000);
    EXPECT_FALSE(game.recognised());
    game.stayNear(game.target(), 4.0f, 8000);
    EXPECT_TRUE(game.recognised());
}

TEST(SaloonRecognition, TheSightsKeepTheirReachInside) {
    // Through the sights from 30 m: the aiming reach is its own.
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    const int target = game.target();
    game.world().weapons.drawBest(game.world(), game.world().player.pedId);
    game.world().player.freeAimEntity = target;
    game.stayNear(target, 30.0f, 4000);
    EXPECT_TRUE(game.recognised());
}

TEST(SaloonClock, TheTargetStaysAt180000MsAndLeavesAt180001) {
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    game.put(Vector3(saloonSpot.x, saloonSpot.y - 20.0f, saloonSpot.z));
    game.saloonClockNextFrame(180000);
    game.session.runFrames(1);
    EXPECT_FALSE(game.session.logContains("target is leaving the saloon"));
    EXPECT_EQ(saloon()->getSaloonState(), SaloonExecutor::Drinking);
    game.saloonClockNextFrame(180001);
    game.session.runFrames(1);
    EXPECT_TRUE(game.session.logContains("ContractExecutor [5]: target is leaving the saloon"));
    EXPECT_EQ(saloon()->getSaloonState(), SaloonExecutor::Left);
    // Out into the streets.
    const int target = game.target();
    game.stayNear(target, 15.0f, 40000);
    EXPECT_EQ(sim::Interiors::at(game.positionOf(target)), 0) << "he walked out of the saloon";
}

TEST(SaloonClock, AnOfferOnShowGoesWhenTheTargetLeaves) {
    // Once he is out, the lure is no longer looked after: an offer left on
    // the girl would stay there, doing nothing when pressed.
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    ASSERT_TRUE(game.recogniseTarget());
    const int girl = game.girls()[0];
    game.world().player.cashCents = 2000;
    ASSERT_TRUE(game.greet(girl));
    ASSERT_TRUE(game.session.runUntil([&] { return game.lurePrompt() && game.lurePrompt()->enabled; }, 60));
    ASSERT_TRUE(game.lurePrompt()->visible);
    game.saloonClockNextFrame(180001);
    game.session.runFrames(1);
    ASSERT_EQ(saloon()->getSaloonState(), SaloonExecutor::Left);
    EXPECT_FALSE(game.lurePrompt()->visible);
    EXPECT_FALSE(game.world().prompts.press(game.lurePrompt()->handle));
    game.session.runFrames(2);
    EXPECT_EQ(game.world().player.cashCents, 2000);
    EXPECT_EQ(game.step(girl), 1) << "nothing was bought";
}

TEST(SaloonLure, WhoCanBeAskedAndWhatTheOfferShows) {
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    const std::vector<int> girls = game.girls();
    ASSERT_EQ(girls.size(), 2u);
    const int target = game.target();

    // Before the target is made out, a greeting does nothing.
    ASSERT_TRUE(game.greet(girls[0]));
    game.session.runFrames(10);
    EXPECT_EQ(game.step(girls[0]), 0);
    ASSERT_TRUE(game.recogniseTarget());

    // A girl more than 15 m from the target: no hint, no offer. He walks
    // between seats, so she is kept 16 m from wherever he is.
    const auto keepAway = [&] {
        const Vector3 him = game.positionOf(target);
        game.world().entities.find(girls[1])->position = Vector3(him.x + 16.0f, him.y, him.z);
    };
    keepAway();
    ASSERT_TRUE(game.greet(girls[1]));
    for (int frame = 0; frame < 10; ++frame) {
        keepAway();
        game.session.runFrames(1);
    }
    EXPECT_EQ(game.step(girls[1]), 0);
    EXPECT_FALSE(game.helpShown("working girls here"));

    // Near him: the hint, and once greeted the offer, greyed out for $4.99.
    game.world().player.cashCents = 499;
    const Vector3 him = game.positionOf(target);
    game.world().entities.find(girls[0])->position = Vector3(him.x + 3.0f, him.y, him.z);
    ASSERT_TRUE(game.greet(girls[0]));
    game.session.runFrames(10);
    EXPECT_TRUE(game.helpShown("working girls here"));
    EXPECT_EQ(game.step(girls[0]), 1);
    const sim::PromptRecord* offer = game.lurePrompt();
    ASSERT_NE(offer, nullptr);
    EXPECT_TRUE(offer->visible);
    EXPECT_FALSE(offer->enabled) << "$4.99 does not pay her";
    game.world().player.cashCents = 500;
    game.session.runFrames(2);
    EXPECT_TRUE(game.lurePrompt()->enabled);

    // Too far from her to pay: greyed out, and told once to come closer.
    const Vector3 her = game.positionOf(girls[0]);
    game.put(Vector3(her.x, her.y - 7.0f, her.z));
    game.session.runFrames(5);
    EXPECT_FALSE(game.lurePrompt()->enabled);
    EXPECT_TRUE(game.helpShown("Stay close to her."));

    // Provoked, she is back to the start, with a log line.
    game.put(Vector3(her.x, her.y - 1.5f, her.z));
    game.session.runFrames(150); // her answer to the greeting is over
    ASSERT_TRUE(game.world().interactions.antagonise(game.world()));
    game.session.runFrames(3);
    EXPECT_EQ(game.step(girls[0]), 0);
    EXPECT_TRUE(game.session.logContains(
        "ContractExecutor [5]: prostitute interaction cancelled - player antagonized"));
    EXPECT_FALSE(game.lurePrompt()->visible);
    EXPECT_EQ(game.world().player.cashCents, 500) << "nothing was paid";
}

// Her flirting (GREET_FLIRTY) and her answers to his refusal
// (PROSTITUTE_REJECT_RESPONSE_SICK, _EVENING) are found neither in the game's
// catalogue nor in its scripts: in a game without them only his refusal is
// heard, and the lure ends as it does with them.
class RefusedLure : public ::testing::TestWithParam<bool> {};

TEST_P(RefusedLure, IsThreeLinesTheTargetStaysAndItIsNotForSaleAgain) {
    const bool gameHasHerLines = GetParam();
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    game.world().names.unconfirmedMissing = !gameHasHerLines;
    ASSERT_TRUE(game.hunt());
    const int target = game.target();
    ASSERT_TRUE(game.recogniseTarget());
    const int girl = game.girls()[0];
    // Sober, he turns any girl down.
    ASSERT_TRUE(game.payToLure(girl, 0.0f));
    // Paid for, refused or not: the purse goes from $20 to $15.
    EXPECT_EQ(game.world().player.cashCents, 1500);
    ASSERT_FALSE(game.world().cashChanges.empty());
    EXPECT_EQ(game.world().cashChanges.back().amountText, "$5.00");
    EXPECT_EQ(game.world().cashChanges.back().colour, sim::gameHash("COLOR_RED"));
    EXPECT_EQ(game.step(girl), -1);
    EXPECT_EQ(saloon()->getSaloonState(), SaloonExecutor::Lured);
    ASSERT_NE(saloon()->getLureTask(), nullptr);
    EXPECT_FALSE(saloon()->getLureTask()->accepts());
    EXPECT_FALSE(game.lurePrompt()->enabled);
    EXPECT_FALSE(game.lurePrompt()->visible) << "bought once, the offer is gone";

    game.put(Vector3(saloonSpot.x, saloonSpot.y - 20.0f, saloonSpot.z));
    ASSERT_TRUE(game.session.runUntil([&] { return saloon()->getLureTask() == nullptr; }, 2000));
    std::vector<std::string> said;
    for (const sim::SpokenLine& line : game.world().speech.lines())
        if (line.ped == girl || line.ped == target)
            said.push_back(line.line);
    if (gameHasHerLines) {
        ASSERT_EQ(said.size(), 3u);
        EXPECT_EQ(said[0], "GREET_FLIRTY");
        EXPECT_EQ(said[1], "IGNORING_YOU");
        EXPECT_TRUE(said[2] == "PROSTITUTE_REJECT_RESPONSE_SICK" || said[2] == "PROSTITUTE_REJECT_RESPONSE_EVENING")
            << said[2];
    } else {
        EXPECT_EQ(said, std::vector<std::string>{"IGNORING_YOU"});
    }
    game.session.runFor(20000);
    EXPECT_EQ(sim::Interiors::at(game.positionOf(target)), valentineSaloonInterior) << "he stays in the saloon";

    // The other girl cannot be paid now, and the target no longer leaves on his own.
    const int other = game.girls()[1];
    ASSERT_TRUE(game.greet(other));
    game.session.runFrames(10);
    EXPECT_EQ(game.step(other), 0);
    EXPECT_FALSE(game.lurePrompt()->visible);
    game.saloonClockNextFrame(200000);
    game.session.runFrames(2);
    EXPECT_FALSE(game.session.logContains("target is leaving the saloon"));
    EXPECT_EQ(game.world().player.cashCents, 1500) << "paid once";
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutHerLines, RefusedLure, ::testing::Bool());

TEST(SaloonLure, HeTurnsOnHerAtTheSpotUpOrDownASlope) {
    // Her walk stops once she is within 4 m of the spot along the ground; with
    // the spot a metre above her she stands a little more than 4 m from it.
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    const int girl = game.lureHimOut();
    ASSERT_NE(girl, 0);
    const int target = game.target();

    const Vector3 spot = saloon()->getLureTask()->lureLocation();
    game.world().entities.find(girl)->position = Vector3(spot.x, spot.y + 3.9f, spot.z - 1.0f);
    ASSERT_TRUE(game.session.runUntil([&] { return !game.world().entities.find(girl)->alive; }, 1500))
        << "the lure stalled at the spot";
    EXPECT_EQ(game.world().combat.find(girl)->lastAttacker, target);
}

// The girl's and the target's flirting (GREET_FLIRTY) is found neither in the
// game's catalogue nor in its scripts. A game without it plays the lure
// silently: the pair still talk it over for as long, and he still follows her.
TEST(SaloonLure, InAGameWithoutTheFlirtLinesTheLureStillPlaysSilently) {
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    game.world().names.unconfirmedMissing = true;
    const int girl = game.lureHimOut();
    ASSERT_NE(girl, 0) << "he follows her out all the same";
    const int target = game.target();
    for (const sim::SpokenLine& line : game.world().speech.lines())
        EXPECT_FALSE((line.ped == girl || line.ped == target) && line.line == "GREET_FLIRTY");
    EXPECT_TRUE(game.world().names.wasRefused("GREET_FLIRTY"));
    EXPECT_EQ(game.world().player.cashCents, 1500);
}

// A working girl hogtied while she leads the target out ends the lure: it
// cannot go on with her bound.
TEST(SaloonLure, AHogtiedGirlEndsTheLure) {
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    ASSERT_TRUE(game.recogniseTarget());
    const int girl = game.girls()[0];
    ASSERT_TRUE(game.payToLure(girl, 1.0f));
    ASSERT_NE(saloon()->getLureTask(), nullptr);
    game.world().entities.find(girl)->hogtied = true;
    EXPECT_TRUE(game.session.runUntil([] { return saloon()->getLureTask() == nullptr; }, 300));
}

// A hogtied girl the player turns to is marked as done: once loose, she is
// not offered again.
TEST(SaloonLure, AHogtiedGirlIsNotOfferedAgain) {
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    ASSERT_TRUE(game.recogniseTarget());
    const int girl = game.girls()[0];
    const Vector3 him = game.positionOf(game.target());
    game.world().entities.find(girl)->position = Vector3(him.x + 3.0f, him.y, him.z);
    game.world().entities.find(girl)->hogtied = true;
    game.put(Vector3(him.x + 3.0f, him.y - 1.5f, him.z));
    game.world().player.targetEntity = girl;
    game.session.runFrames(3);
    EXPECT_EQ(game.step(girl), -1);

    game.world().entities.find(girl)->hogtied = false;
    game.world().player.cashCents = 2000;
    game.greet(girl);
    game.session.runFrames(30);
    EXPECT_EQ(game.step(girl), -1);
    const sim::PromptRecord* prompt = game.lurePrompt();
    EXPECT_TRUE(prompt == nullptr || !prompt->visible) << "no lure offered by her";
}

TEST(SaloonLure, AnAbortedContractTakesItsPromptAndLureWithIt) {
    SaloonGame game;
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    ASSERT_TRUE(game.recogniseTarget());
    const int girl = game.girls()[0];
    ASSERT_TRUE(game.payToLure(girl, 1.0f));
    ASSERT_NE(saloon()->getLureTask(), nullptr);
    EXPECT_TRUE(saloon()->getLureTask()->accepts()) << "a very drunk target always takes her up";

    enginetest::sendScriptEvent(game.session, "DROVIL_ABORT_MISSION", {missionId});
    ASSERT_TRUE(game.session.runUntil([] { return saloon() == nullptr; }, 60));
    game.session.runFrames(5);
    EXPECT_EQ(saloon(), nullptr);
    EXPECT_TRUE(game.lurePrompt()->destroyed);
    EXPECT_TRUE(game.world().blips.leftOverReport().empty()) << game.world().blips.leftOverReport();
}

} // namespace
