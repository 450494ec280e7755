#include "session/scenario_session.h"

namespace sim {

SessionOptions scenarioOptions(const ScenarioDefinition& scenario, std::uint32_t seed) {
    SessionOptions options;
    options.seed = seed;
    options.writeFiles = scenarioFiles(scenario);
    options.aliveBounties = scenario.aliveBounties;
    return options;
}

} // namespace sim
