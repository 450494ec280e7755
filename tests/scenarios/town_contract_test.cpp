// Street and hotel contracts played whole by the scripted player in town: the
// offer on the main street, the search of the streets or the hotel, the shot
// that brings the law, the escape, and the reward paid as the card said; and a
// street target taken hostage and shoved out of town before the shot.
#include "scenarios/contract_play.h"
#include "scenarios/towns.h"
#include "session/scenario_session.h"
#include "support/game.h"

#include <gtest/gtest.h>

#include <string>

namespace {
using namespace sim;

struct TownCase {
    const char* town;
    std::uint32_t seed;
    int setting; // what that seed's passer-by offers there
};

class TownContract : public ::testing::TestWithParam<TownCase> {};

TEST_P(TownContract, FromTheOfferToThePaymentInTown) {
    const TownCase& wanted = GetParam();
    const StartingTown* town = findTown(wanted.town);
    ASSERT_NE(town, nullptr);
    const ScenarioDefinition* scenario = findScenario("first-contract");
    Session session(scenarioOptions(*scenario, wanted.seed));
    session.startIn(*town);
    ScenarioRun run(session, 40000, nullptr);
    const ScenarioResult result = playScenario(*scenario, run);
    ASSERT_TRUE(result.success) << result.summary;
    const ContractInPlay contract = readContract(run, 0);
    EXPECT_EQ(contract.settingId, wanted.setting);
    EXPECT_EQ(contract.areaId, town->areaId());
    EXPECT_EQ(contract.status, 2);
    // Paid what the card said, and nothing left waiting.
    EXPECT_EQ(session.world().player.cashCents,
              firstContractPocketCents + (contract.bounty + contract.bonusesReward) * 100);
    EXPECT_EQ(intValue(run.readKeyValues("Savegame.dat"), "pending_payment", -1), 0);
    EXPECT_TRUE(session.world().blips.leftOverReport().empty()) << session.world().blips.leftOverReport();
    // The target lingered and roamed, his entourage with him, each told once.
    EXPECT_EQ(test::retaskedWhileBusy(session), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, TownContract,
                         ::testing::Values(TownCase{"Valentine", 1, 7}, TownCase{"Valentine", 35, 2},
                                           TownCase{"Annesburg", 8, 7}, TownCase{"Strawberry", 27, 2}),
                         [](const auto& info) {
                             std::string name = info.param.town;
                             name += std::to_string(info.param.seed);
                             return name;
                         });

TEST(StreetHostage, ATargetShovedOutOfTownIsShotThereWithNoLawAndTheContractIsDone) {
    const ScenarioDefinition* scenario = findScenario("street-hostage");
    ASSERT_NE(scenario, nullptr);
    Session session(scenarioOptions(*scenario, 1));
    ScenarioRun run(session, 20000, nullptr);
    const ScenarioResult result = playScenario(*scenario, run);
    EXPECT_TRUE(result.success) << result.summary;
    EXPECT_EQ(readContract(run, 0).status, 2);
    EXPECT_FALSE(session.world().law.wantedByLaw());
    // He was held, and never let go to run off before the shot.
    EXPECT_TRUE(session.world().speech.lines().size() > 0);
    bool pleaded = false;
    for (const SpokenLine& line : session.world().speech.lines())
        pleaded = pleaded || line.line == "BUMP_MALE_URGENT";
    EXPECT_TRUE(pleaded) << "the player never shoved the hostage";
    EXPECT_EQ(test::retaskedWhileBusy(session), "");
}

} // namespace
