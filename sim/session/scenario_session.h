#pragma once
// A scenario played in a test session: the session's options for it.
#include "scenarios/scenarios.h"
#include "session/session.h"

namespace sim {

// The seed and the scenario's files in Drovil/.
SessionOptions scenarioOptions(const ScenarioDefinition& scenario, std::uint32_t seed);

} // namespace sim
