#pragma once
// drovil-sim --seeds A-B: a scenario played once for every seed of a range and
// summed up in one table. One game session per process: each seed is played
// by a drovil-sim of its own (this program started again with --seed N
// --json), and the table is read from each game's summary event.
#include "cli/options.h"

#include <ostream>
#include <string>

namespace sim {

// Plays the seeds of options.seedsFrom to options.seedsTo, options.jobs at a
// time, and prints the table. 0 when every seed succeeded, 1 otherwise.
int playSeedRange(const CliOptions& options, std::ostream& out);

} // namespace sim
