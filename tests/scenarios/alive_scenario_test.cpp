// Dead or alive contracts played whole by the scripted player: every setting's
// target taken alive, carried to the sheriff and handed over, and paid with
// the bonus; a target who struggles free on the way is caught again; one who
// dies across the horse is paid as a dead man. The world is left tidy: no
// blip, no route, no bound man lying about.
#include "scenarios/contract_play.h"
#include "support/played_scenario.h"

#include "world/core/world.h"

#include <gtest/gtest.h>

#include <string>

namespace {
using namespace sim;

class AliveScenario : public ::testing::TestWithParam<const char*> {};

TEST_P(AliveScenario, TheTargetIsHandedToTheSheriffAndPaidWithTheBonus) {
    test::Played played(GetParam(), 1, 40000);
    ASSERT_TRUE(played.result.success) << played.result.summary;
    const ContractInPlay contract = readContract(played.run, 0);
    EXPECT_EQ(contract.status, 2);
    ASSERT_GT(contract.bonusesReward, 0) << "the mission file keeps the bonus it paid";
    // In the saloon he pays a working girl $5.00 to lure the target out.
    const int lureCents = std::string(GetParam()) == "alive-saloon" ? 500 : 0;
    EXPECT_EQ(played.session.world().player.cashCents,
              firstContractPocketCents + (contract.bounty + contract.bonusesReward) * 100 - lureCents);
    EXPECT_TRUE(played.session.logContains("ContractExecutor [0]: target brought in alive"));
    EXPECT_FALSE(played.session.world().route.shown()) << "the route to the office is off the map";
    EXPECT_TRUE(played.session.world().blips.leftOverReport().empty()) << played.session.world().blips.leftOverReport();
    EXPECT_EQ(played.run.contractTarget(), 0) << "taken into the office for good";
    for (const auto& [id, record] : played.session.world().entities.all())
        EXPECT_FALSE(record.hogtied && record.alive) << "a bound man left lying about: " << id;
}

INSTANTIATE_TEST_SUITE_P(Settings, AliveScenario,
                         ::testing::Values("alive-camp", "alive-street", "alive-hotel", "alive-saloon", "alive-wagon",
                                           "alive-train-station", "alive-prisoner-transport", "alive-hunter-camp"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

TEST(AliveScenarios, ATargetWhoStrugglesFreeOnTheWayIsCaughtAgain) {
    test::Played played("alive-escape", 1, 40000);
    ASSERT_TRUE(played.result.success) << played.result.summary;
    EXPECT_TRUE(played.session.logContains("ContractExecutor [0]: the target is no longer hogtied"));
    EXPECT_TRUE(played.session.logContains("ContractExecutor [0]: target brought in alive"));
}

TEST(AliveScenarios, ATargetWhoDiesAcrossTheHorseIsPaidAsADeadMan) {
    test::Played played("alive-dies", 1, 40000);
    ASSERT_TRUE(played.result.success) << played.result.summary;
    const ContractInPlay contract = readContract(played.run, 0);
    EXPECT_EQ(contract.status, 2);
    EXPECT_EQ(contract.bonusesReward, 0);
    EXPECT_EQ(played.session.world().player.cashCents, firstContractPocketCents + contract.bounty * 100);
    EXPECT_FALSE(played.session.logContains("ContractExecutor [0]: target brought in alive"));
}

} // namespace
