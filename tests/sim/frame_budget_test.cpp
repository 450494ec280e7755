// What a frame of the plug-in costs, counted rather than timed: a steady frame
// (nothing happening but the frame's own checks) allocates nothing on the
// heap, idle in town and hunting in a camp with its guards watching, and both
// stay within their native calls. Frames where something happens (a log line,
// a save, a scene built) may allocate; they are the exception, so the median
// and the 95th percentile of a stage's frames must be 0.
#include "host/native_stats.h"
#include "host/plugin_cost.h"
#include "scenarios/play_report.h"
#include "session/scenario_session.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {
using namespace sim;

struct Recorded {
    NativeStats stats;
    int status = -1;
};

void play(const std::string& name, std::uint32_t seed, int frameLimit, Recorded& recorded) {
    const ScenarioDefinition* scenario = findScenario(name);
    ASSERT_NE(scenario, nullptr);
    Session session(scenarioOptions(*scenario, seed));
    session.host().dispatch().attachStats(&recorded.stats);
    recorded.stats.startRecording();
    std::ostringstream out;
    TimelineOptions options;
    options.logLines = false;
    recorded.status = playWithTimeline(*scenario, session, seed, frameLimit, options, out, &recorded.stats, nullptr);
    session.host().dispatch().attachStats(nullptr);
}

const NativeStats::StageFigures* stage(const NativeStats& stats, const std::string& name) {
    static std::vector<NativeStats::StageFigures> figures;
    figures = stats.stages();
    for (const auto& entry : figures)
        if (entry.stage == name)
            return &entry;
    return nullptr;
}

} // namespace

TEST(FrameBudget, AnIdleFrameInTownAllocatesNothingAndCallsFewNatives) {
    Recorded recorded;
    play("idle", 1, 3000, recorded);
    ASSERT_EQ(recorded.status, 0);
    const auto* idle = stage(recorded.stats, "no mission");
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->allocations.median, 0u);
    EXPECT_EQ(idle->allocations.percentile95, 0u);
    EXPECT_LE(idle->median, 16u) << "native calls in a steady idle frame";
    EXPECT_LE(idle->percentile95, 16u);
}

TEST(FrameBudget, AHuntingFrameInACampAllocatesNothingAndStaysWithinItsNatives) {
    Recorded recorded;
    play("camp-walk-away", 1, 4000, recorded);
    const auto* hunting = stage(recorded.stats, "Hunting");
    ASSERT_NE(hunting, nullptr) << "the run reached the camp";
    ASSERT_GT(hunting->frames, 100u);
    EXPECT_EQ(hunting->allocations.median, 0u);
    EXPECT_EQ(hunting->allocations.percentile95, 0u);
    EXPECT_LE(hunting->median, 70u) << "native calls in a steady frame with five guards watching";
    // What the guards ask about the player, the weather and each other is
    // read once a frame: a read repeated before the script yields is rare.
    std::uint64_t repeated = 0;
    for (const auto& repeat : recorded.stats.repeats())
        repeated += repeat.repeats;
    EXPECT_LT(repeated, hunting->frames / 10) << "calls repeated between two yields";
}

TEST(FrameBudget, OnlyThePluginsOwnAllocationsAreCounted) {
    // The test's own thread and the simulated game allocate freely.
    const std::uint64_t before = plugin_cost::allocations();
    std::string grown;
    for (int i = 0; i < 100; ++i)
        grown += "a text long enough to leave the small-string buffer";
    EXPECT_EQ(plugin_cost::allocations(), before);
}

namespace {
struct HuntCase {
    const char* scenario;
    int frames;
};
class HuntingFrames : public ::testing::TestWithParam<HuntCase> {};
} // namespace

// A hunt in town, on the road and in the hills: the target's state (dead,
// fleeing, fighting, held), where he stands, whom the player aims at and the
// hints already shown are read once a frame by every part that asks, and a
// steady frame makes no string.
TEST_P(HuntingFrames, ReadEachFactOnceAndAllocateNothing) {
    Recorded recorded;
    play(GetParam().scenario, 1, GetParam().frames, recorded);
    const auto* hunting = stage(recorded.stats, "Hunting");
    ASSERT_NE(hunting, nullptr) << "the hunt began";
    ASSERT_GT(hunting->frames, 100u);
    EXPECT_EQ(hunting->allocations.median, 0u);
    EXPECT_EQ(hunting->allocations.percentile95, 0u);
    std::uint64_t repeated = 0;
    std::ostringstream which;
    for (const auto& repeat : recorded.stats.repeats()) {
        repeated += repeat.repeats;
        which << repeat.native->name << repeat.arguments << " " << repeat.repeats << "; ";
    }
    EXPECT_LT(repeated, hunting->frames / 100) << "calls repeated between two yields: " << which.str();
}

INSTANTIATE_TEST_SUITE_P(Settings, HuntingFrames,
                         ::testing::Values(HuntCase{"street-hostage", 12000}, HuntCase{"prisoner-wagon-stolen", 8000},
                                           HuntCase{"hunter-day", 8000}),
                         [](const auto& info) {
                             std::string name = info.param.scenario;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

// A career of contracts, played as a player does: in every stage, a frame in
// which nothing is logged, shown anew, said, spawned or answered allocates
// nothing (the contract card held for seconds, a guard hearing a shot, a
// scene's guards joining one by one, a flag set again to what it was).
TEST(FrameBudget, ACareersFramesWithoutAnEventAllocateNothingInEveryStage) {
    const ScenarioDefinition* scenario = findScenario("career");
    ASSERT_NE(scenario, nullptr);
    constexpr std::uint32_t seed = 3;
    Session session(scenarioOptions(*scenario, seed));
    NativeStats stats;
    session.host().dispatch().attachStats(&stats);
    stats.startRecording();
    std::ostringstream out;
    TimelineOptions options;
    options.logLines = false;
    RunOptions run;
    run.contracts = 2;
    const int status = playWithTimeline(*scenario, session, seed, 2 * 60000, options, out, &stats, nullptr, nullptr, run);
    session.host().dispatch().attachStats(nullptr);
    ASSERT_EQ(status, 0) << out.str();
    std::ostringstream report;
    stats.report(report);
    std::size_t stagesSeen = 0;
    for (const auto& figures : stats.stages()) {
        if (figures.stage == "all frames")
            continue;
        ++stagesSeen;
        EXPECT_GT(figures.steadyFrames, 0u) << figures.stage;
        EXPECT_EQ(figures.steadyFramesAllocating, 0u)
            << figures.stage << ": frames without an event that allocated (the most " << figures.steadyAllocationsMax
            << ")\n"
            << report.str();
    }
    EXPECT_GE(stagesSeen, 4u) << "no mission, Approaching, Hunting and Escaping were played";
}
