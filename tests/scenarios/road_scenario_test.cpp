// Road contracts played by the scripted player from the offer to the payment,
// and the prison wagon taken and driven to the office.
#include "scenarios/contract_play.h"
#include "scenarios/scenarios.h"
#include "session/scenario_session.h"
#include "support/played_scenario.h"
#include "support/game.h"

#include <gtest/gtest.h>

namespace {
using namespace sim;

using test::Played;

struct RoadSeed {
    std::uint32_t seed;
    int setting;
};

class RoadContract : public ::testing::TestWithParam<RoadSeed> {};

// Valentine's seed 2 offers a wagon contract, seed 4 a prisoner transport.
TEST_P(RoadContract, PlayedFromTheOfferToThePayment) {
    Played played("first-contract", GetParam().seed);
    ASSERT_TRUE(played.result.success) << played.result.summary;
    const ContractInPlay contract = readContract(played.run, 0);
    EXPECT_EQ(contract.settingId, GetParam().setting);
    EXPECT_EQ(contract.status, 2);
    EXPECT_EQ(played.session.world().player.cashCents,
              firstContractPocketCents + (contract.bounty + contract.bonusesReward) * 100);
    // Everything the scene put on the road went back to the game at the end.
    for (const auto& [id, record] : played.session.world().entities.all()) {
        if (record.kind == EntityKind::Vehicle) {
            EXPECT_FALSE(record.missionEntity) << "vehicle " << id << " still held by the plug-in";
        }
    }
    EXPECT_EQ(test::retaskedWhileBusy(played.session), "");
}

INSTANTIATE_TEST_SUITE_P(Valentine, RoadContract, ::testing::Values(RoadSeed{2, 1}, RoadSeed{4, 8}));

TEST(PrisonWagonStolen, DrivenToTheOfficeLoadedAndTheGuardLeftBehindTurnsOnThePlayer) {
    Played played("prisoner-wagon-stolen", 1);
    ASSERT_TRUE(played.result.success) << played.result.summary;
    EXPECT_TRUE(played.session.hud().subtitleShown(
        played.run.lang("contract.transported_prisoner.wait_for_target")));
    const auto messages = test::logMessages(played.session);
    const int boarded = test::findLog(messages, "target ped has boarded the prison wagon");
    const int left = test::findLog(messages, "player's trying to leave the jail guard behind", boarded);
    EXPECT_GE(boarded, 0);
    EXPECT_GT(left, boarded);
    EXPECT_EQ(test::findLog(messages, "prison wagon's driver is not the player"), -1);
    EXPECT_EQ(test::retaskedWhileBusy(played.session), "");
}

} // namespace
