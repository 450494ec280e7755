#include "scenarios/play_report.h"

#include "host/native_stats.h"

#include <string>

namespace sim {
int playWithTimeline(const ScenarioDefinition& scenario, ScenarioGame& game, std::uint32_t seed, int frameLimit,
                     const TimelineOptions& options, std::ostream& out, NativeStats* stats) {
    Timeline timeline(out, game, options);
    timeline.line("drovil-sim: scenario " + scenario.name + ", seed " + std::to_string(seed) + ", game folder " +
                  game.gameFolder());
    timeline.line("  " + scenario.description);
    ScenarioRun run(game, frameLimit, &timeline);
    run.recordStats(stats);
    const ScenarioResult result = playScenario(scenario, run);
    const Clock& clock = game.world().clock;
    timeline.line("");
    timeline.line("summary: " + scenario.name + (result.success ? " SUCCEEDED" : " FAILED") + " after " +
                  std::to_string(run.framesRun()) + " frames, " + std::to_string(clock.elapsedMs / 1000) +
                  " s of game time " + timeline.stamp());
    timeline.line("  " + result.summary);
    timeline.line("  cash " + dollarsText(game.world().player.cashCents));
    const bool stopped = game.scriptStopped();
    if (stopped)
        timeline.line("  the plug-in's script stopped running");
    if (stats) {
        timeline.line("");
        stats->report(out);
    }
    return result.success && !stopped ? 0 : 1;
}

} // namespace sim
