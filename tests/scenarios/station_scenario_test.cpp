// Train station contracts played by the scripted player from the offer to the
// payment, one of each transport, the target who gets away by train, and the
// coach that calls for him at the platform and is run down.
#include "scenarios/contract_play.h"
#include "scenarios/scenarios.h"
#include "session/scenario_session.h"
#include "support/played_scenario.h"
#include "support/game.h"

#include "world/core/script_owned.h"

#include <gtest/gtest.h>

namespace {
using namespace sim;

using test::Played;

struct StationSeed {
    std::uint32_t seed;
    const char* transportLog; // what the executor logs when its transport is put into the world
};

class StationContract : public ::testing::TestWithParam<StationSeed> {};

// Valentine's seed 40 gives a train station contract whose target leaves by
// train, seed 112 one whose target leaves by coach.
TEST_P(StationContract, PlayedFromTheOfferToThePayment) {
    Played played("first-contract", GetParam().seed);
    ASSERT_TRUE(played.result.success) << played.result.summary;
    const ContractInPlay contract = readContract(played.run, 0);
    EXPECT_EQ(contract.settingId, 6);
    EXPECT_EQ(contract.status, 2);
    EXPECT_TRUE(played.session.logContains(GetParam().transportLog));
    EXPECT_EQ(played.session.world().player.cashCents,
              firstContractPocketCents + (contract.bounty + contract.bonusesReward) * 100);
    // The train or the coach went back to the game with the scene.
    for (const auto& [id, record] : played.session.world().entities.all()) {
        if (record.kind == EntityKind::Vehicle) {
            EXPECT_FALSE(record.missionEntity) << "vehicle " << id << " still held by the plug-in";
        }
    }
    // So did the target's walk to the platform and the cars' models.
    const ScriptOwned left = countScriptOwned(played.session.world());
    EXPECT_EQ(left.taskSequences, 0);
    EXPECT_EQ(left.models, 0);
    EXPECT_EQ(test::retaskedWhileBusy(played.session), "");
}

INSTANTIATE_TEST_SUITE_P(Valentine, StationContract,
                         ::testing::Values(StationSeed{40, "train created at: "},
                                           StationSeed{112, "wagon created. distance from mission coords: "}));

// The loss rule, not a rule of its own: the train carries the target out of
// the mission area, and the contract fails with the target lost.
TEST(TrainMissed, TheTrainLeavesWithTheTargetAndTheContractFails) {
    Played played("train-missed", 1);
    ASSERT_TRUE(played.result.success) << played.result.summary;
    const ContractInPlay contract = readContract(played.run, 0);
    EXPECT_EQ(contract.status, 4);
    EXPECT_TRUE(played.session.hud().subtitleShown(played.run.lang("contract.target_lost")));
    const auto messages = test::logMessages(played.session);
    const int arrived = test::findLog(messages, "train has arrived at the station");
    const int lost = test::findLog(messages, "mission area abandoned / target lost", arrived);
    EXPECT_GE(arrived, 0);
    EXPECT_GT(lost, arrived);
    EXPECT_EQ(test::retaskedWhileBusy(played.session), "");
}

// The coach pulls up at the platform, the target gets in and it drives off
// with him; the player runs after it and shoots him in his seat.
TEST(CoachChase, TheCoachTakesTheTargetInAtThePlatformAndThePlayerRunsItDown) {
    Played played("coach-chase", 1);
    ASSERT_TRUE(played.result.success) << played.result.summary;
    EXPECT_EQ(readContract(played.run, 0).status, 2);
    const auto messages = test::logMessages(played.session);
    const int created = test::findLog(messages, "wagon created. distance from mission coords: ");
    EXPECT_GE(created, 0);
    EXPECT_GT(test::findLog(messages, "status changed: 1 -> 2", created), created);
    EXPECT_EQ(test::retaskedWhileBusy(played.session), "");
}

} // namespace
