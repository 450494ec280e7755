// The per-frame native report: its figures are the dispatch's own counts, a
// call repeated with the same arguments and result before the script yields is
// found (a text by its characters, not its address) while a call repeated only
// across yields or a random draw is not, frames count for the contract's stage
// the log told, and a scenario's report reads the same for the same seed.
#include "host/native_stats.h"
#include "host/sim_host.h"
#include "scenarios/contract_stages.h"
#include "scenarios/play_report.h"
#include "session/scenario_session.h"

#include "runtime/host_api.h"
#include "runtime/natives.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

namespace {

namespace natives = drovil::natives;
namespace decl = drovil::natives::decl;

const sim::NativeStats::RepeatFigures* findRepeat(const std::vector<sim::NativeStats::RepeatFigures>& repeats,
                                                  std::uint64_t hash, const std::string& arguments) {
    for (const auto& repeat : repeats)
        if (repeat.native->hash == hash && repeat.arguments == arguments)
            return &repeat;
    return nullptr;
}

// Every frame: the same name hashed three times (from two different buffers),
// one distance twice, two random draws, the player's ped once, then a yield.
void repeatingScript() {
    for (;;) {
        char first[] = "WEAPON_UNARMED";
        char second[sizeof first];
        std::memcpy(second, first, sizeof first);
        natives::misc::hashOfName(first);
        natives::misc::hashOfName(second);
        natives::misc::hashOfName(first);
        natives::misc::distanceBetween(drovil::Vector3(1, 2, 3), drovil::Vector3(4, 6, 3), true);
        natives::misc::distanceBetween(drovil::Vector3(1, 2, 3), drovil::Vector3(4, 6, 3), true);
        natives::misc::randomInt(0, 2);
        natives::misc::randomInt(0, 2);
        natives::player::playerPed();
        drovil::scriptWait(0);
    }
}

} // namespace

TEST(NativeStats, RepeatsBetweenTwoYieldsAreFoundAndCountsAreTheDispatchsOwn) {
    sim::SimHost& host = sim::SimHost::instance();
    drovil::bindHost(host.api(), &sim::SimHost::tickCount);
    sim::NativeStats stats;
    host.dispatch().attachStats(&stats);
    int module = 0;
    host.api().scriptRegister(&module, repeatingScript);
    const int frames = 4;
    for (int i = 0; i < frames; ++i) {
        host.runFrame();
        stats.closeFrame(i < 1 ? "no mission" : "Hunting");
    }
    host.dispatch().attachStats(nullptr);

    const auto repeats = stats.repeats();
    const auto* hashed = findRepeat(repeats, decl::misc::hashOfName::hash, "(\"WEAPON_UNARMED\")");
    ASSERT_NE(hashed, nullptr) << "the same text from another buffer is the same argument";
    EXPECT_EQ(hashed->repeats, 2u * frames);
    EXPECT_EQ(hashed->frames, static_cast<std::uint64_t>(frames));
    EXPECT_EQ(hashed->result, " -> 0xA2719263");
    const auto* distance =
        findRepeat(repeats, decl::misc::distanceBetween::hash, "((1.00, 2.00, 3.00), (4.00, 6.00, 3.00), true)");
    ASSERT_NE(distance, nullptr);
    EXPECT_EQ(distance->repeats, 1u * frames);
    EXPECT_EQ(distance->result, " -> 5.00");
    EXPECT_EQ(findRepeat(repeats, decl::misc::randomInt::hash, "(0, 2)"), nullptr) << "a draw is never a repeat";
    EXPECT_EQ(findRepeat(repeats, decl::player::playerPed::hash, "()"), nullptr) << "once between two yields";
    EXPECT_EQ(repeats.front().native->hash, decl::misc::hashOfName::hash) << "most repeated first";

    // The report's counts are the dispatch's.
    std::uint64_t calls = 0;
    for (const sim::NativeDeclaration& native : sim::declaredNatives())
        EXPECT_EQ(stats.totalCalls(native.hash), host.dispatch().totalCalls(native.hash)) << native.name;
    for (const auto& native : stats.natives())
        calls += native.calls;
    EXPECT_EQ(calls, 8u * frames);
    const auto busiest = stats.natives().front();
    EXPECT_EQ(busiest.native->hash, decl::misc::hashOfName::hash);
    EXPECT_EQ(busiest.calls, 3u * frames);
    EXPECT_EQ(busiest.maxInFrame, 3u);
    EXPECT_EQ(busiest.framesCalled, static_cast<std::uint64_t>(frames));

    // Frames by stage, in the order the stages came, then all of them.
    const auto stages = stats.stages();
    ASSERT_EQ(stages.size(), 3u);
    EXPECT_EQ(stages[0].stage, "no mission");
    EXPECT_EQ(stages[0].frames, 1u);
    EXPECT_EQ(stages[1].stage, "Hunting");
    EXPECT_EQ(stages[1].frames, 3u);
    EXPECT_EQ(stages[2].stage, "all frames");
    EXPECT_EQ(stages[2].median, 8u);
    EXPECT_EQ(stages[2].max, 8u);

    std::ostringstream report;
    stats.report(report);
    EXPECT_NE(report.str().find("misc::hashOfName 0xFD340785ADF8CFB7"), std::string::npos) << report.str();
    EXPECT_NE(report.str().find("(\"WEAPON_UNARMED\") -> 0xA2719263"), std::string::npos) << report.str();
}

TEST(ContractStages, FollowTheMissionsThroughTheLog) {
    sim::ContractStages stages;
    EXPECT_EQ(stages.current(), "no mission");
    stages.hear("DrovilEngine: loaded 0 missions successfuly");
    EXPECT_EQ(stages.current(), "no mission");
    stages.hear("DrovilEngine: mission created in area: 459833523, mission id: 3");
    EXPECT_EQ(stages.current(), "Approaching");
    stages.hear("ContractExecutor [3]: stage changed: 0 -> 2");
    EXPECT_EQ(stages.current(), "Hunting");
    // A mission loaded held back: its executor says so before the engine does.
    stages.hear("ContractExecutor [5]: stage changed: 0 -> 1");
    stages.hear("DrovilEngine: mission loaded. id: 5");
    EXPECT_EQ(stages.current(), "Blocked") << "the mission that changed last";
    stages.hear("DrovilEngine: mission terminated: 5");
    EXPECT_EQ(stages.current(), "Hunting");
    stages.hear("ContractExecutor [3]: stage changed: 2 -> 3");
    stages.hear("ContractExecutor [3]: stage changed: 3 -> 4");
    EXPECT_EQ(stages.current(), "Escaped");
    stages.hear("DrovilEngine: mission terminated: 3");
    stages.hear("ContractExecutor [3]: cleaned up");
    EXPECT_EQ(stages.current(), "no mission") << "an ended mission's last lines do not bring it back";
}

TEST(NativeStats, AScenarioIsCountedFrameByFrameUnderItsStages) {
    const sim::ScenarioDefinition* scenario = sim::findScenario("camp-killed");
    ASSERT_NE(scenario, nullptr);
    sim::Session session(sim::scenarioOptions(*scenario, 1));
    sim::NativeStats stats;
    session.host().dispatch().attachStats(&stats);
    std::ostringstream out;
    const int status = sim::playWithTimeline(*scenario, session, 1, 40000, sim::TimelineOptions{}, out, &stats);
    session.host().dispatch().attachStats(nullptr);
    ASSERT_EQ(status, 0) << out.str();

    // Every frame the host ran is in the report, under the stage the log told.
    EXPECT_EQ(stats.framesClosed(), session.world().clock.frame);
    const auto stages = stats.stages();
    std::vector<std::string> names;
    for (const auto& stage : stages)
        names.push_back(stage.stage);
    EXPECT_EQ(names, (std::vector<std::string>{"no mission", "Approaching", "Hunting", "all frames"}))
        << "loaded at start-up, hunted, ended by the player's death";
    EXPECT_EQ(stages.back().frames, stats.framesClosed());
    for (const sim::NativeDeclaration& native : sim::declaredNatives())
        EXPECT_EQ(stats.totalCalls(native.hash), session.host().dispatch().totalCalls(native.hash)) << native.name;
    const std::string text = out.str();
    EXPECT_LT(text.find("summary: camp-killed"), text.find("native calls per frame by the contract's stage"));
    EXPECT_NE(text.find("the ten natives called most per frame"), std::string::npos);
}

namespace {
// What drovil-sim prints from the report's heading on ("" when there is none),
// up to the plug-in's measured times.
std::string simReport(const std::string& arguments) {
    const std::string command = std::string(DROVIL_SIM_COMMAND) + " " + arguments;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return std::string();
    std::string output;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    pclose(pipe);
    const auto at = output.find("native calls per frame by the contract's stage");
    if (at == std::string::npos)
        return std::string();
    return output.substr(at, output.find(sim::NativeStats::timesHeading) - at);
}
} // namespace

TEST(NativeStats, TheSimCommandsReportIsTheSameForTheSameSeed) {
    const std::string report = simReport("--scenario camp-walk-away --seed 1 --quiet --stats");
    ASSERT_FALSE(report.empty());
    EXPECT_NE(report.find("\n  Hunting "), std::string::npos) << report;
    EXPECT_NE(report.find("calls repeated between two yields"), std::string::npos);
    EXPECT_EQ(simReport("--scenario camp-walk-away --seed 1 --quiet --stats"), report);
    EXPECT_EQ(simReport("--scenario camp-walk-away --seed 1 --quiet"), "") << "only with --stats";
}
