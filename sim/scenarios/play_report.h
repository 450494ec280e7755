#pragma once
// Playing a scenario with its timeline printed, as drovil-sim and the stand-in
// hook DLL do: a heading, the timeline, and a summary with the outcome.
#include "scenarios/scenarios.h"
#include "scenarios/timeline.h"

#include <cstdint>
#include <ostream>

namespace sim {

class NativeStats;
class RunMap;
class ScreenSnapshots;

// Plays the scenario in `game` (seeded with `seed` already). The result is the
// exit status: 0 when it succeeded, 1 when it failed or the plug-in's script stopped.
// With `stats` (already hearing the game's native calls), every frame is
// recorded and the per-frame native report follows the summary. With `map`,
// the run is recorded for a map picture (RunMap::writeSvg afterwards).
int playWithTimeline(const ScenarioDefinition& scenario, ScenarioGame& game, std::uint32_t seed, int frameLimit,
                     const TimelineOptions& options, std::ostream& out, NativeStats* stats = nullptr,
                     RunMap* map = nullptr, ScreenSnapshots* snapshots = nullptr, const RunOptions& runOptions = {});

} // namespace sim
