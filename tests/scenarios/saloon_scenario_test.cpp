// Saloon contracts played whole by the scripted player: the lure accepted (the
// target led out to a quiet spot away from the road and turning on the girl
// there) and no lure at all (the target walking out at 180001 ms).
#include "scenarios/contract_play.h"
#include "session/scenario_session.h"
#include "support/game.h"
#include "world/core/script_owned.h"

#include <gtest/gtest.h>

#include <string>

namespace {
using namespace sim;

struct SaloonCase {
    const char* scenario;
    std::uint32_t seed;
};

class SaloonScenario : public ::testing::TestWithParam<SaloonCase> {};

TEST_P(SaloonScenario, PlayedToTheEnd) {
    const ScenarioDefinition* scenario = findScenario(GetParam().scenario);
    ASSERT_NE(scenario, nullptr);
    Session session(scenarioOptions(*scenario, GetParam().seed));
    ScenarioRun run(session, 20000, nullptr);
    const ScenarioResult result = playScenario(*scenario, run);
    ASSERT_TRUE(result.success) << result.summary;
    EXPECT_EQ(readContract(run, 0).status, 2);
    EXPECT_TRUE(session.world().blips.leftOverReport().empty()) << session.world().blips.leftOverReport();
    // The girl's and the target's sequences were handed over and let go.
    const ScriptOwned left = countScriptOwned(session.world());
    EXPECT_EQ(left.taskSequences, 0);
    EXPECT_EQ(left.groups, 0);
    // The drinkers were sent to a seat only once they had left the last.
    EXPECT_EQ(test::retaskedWhileBusy(session), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, SaloonScenario,
                         ::testing::Values(SaloonCase{"saloon-lure", 2}, SaloonCase{"saloon-wait", 2}),
                         [](const auto& info) {
                             std::string name = info.param.scenario;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name + std::to_string(info.param.seed);
                         });

} // namespace
