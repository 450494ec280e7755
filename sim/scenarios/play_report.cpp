#include "scenarios/play_report.h"

#include "host/native_stats.h"
#include "scenarios/run_map.h"

#include <string>

namespace sim {
int playWithTimeline(const ScenarioDefinition& scenario, ScenarioGame& game, std::uint32_t seed, int frameLimit,
                     const TimelineOptions& options, std::ostream& out, NativeStats* stats, RunMap* map,
                     ScreenSnapshots* snapshots, const RunOptions& runOptions) {
    Timeline timeline(out, game, options);
    timeline.start(scenario.name, scenario.description, seed);
    ScenarioRun run(game, frameLimit, &timeline);
    run.recordStats(stats);
    run.recordMap(map);
    run.recordSnapshots(snapshots);
    run.setContractsWanted(runOptions.contracts);
    run.crashAfterFrames(runOptions.killAtFrame);
    run.setPlaysAlive(runOptions.alive);
    const ScenarioResult result = playScenario(scenario, run);
    RunSummary summary;
    summary.scenario = scenario.name;
    summary.seed = seed;
    summary.success = result.success;
    summary.text = result.summary;
    summary.frames = run.framesRun();
    summary.cashCents = game.world().player.cashCents;
    summary.scriptStopped = game.scriptStopped();
    timeline.summary(summary);
    if (map)
        map->finish(game, timeline, summary);
    if (stats) {
        timeline.line("");
        stats->report(out);
    }
    return result.success && !summary.scriptStopped ? 0 : 1;
}

} // namespace sim
