#pragma once
// A scenario played whole in this test's process, by name and seed: its game,
// its run and its result, for the test to read the files, the world and the
// log afterwards.
#include "scenarios/scenario_run.h"
#include "scenarios/scenarios.h"
#include "session/scenario_session.h"

#include <cstdint>
#include <string>

namespace test {

struct Played {
    explicit Played(const std::string& name, std::uint32_t seed, int frameLimit = 40000)
        : scenario(sim::findScenario(name)), session(sim::scenarioOptions(*scenario, seed)),
          run(session, frameLimit, nullptr), result(sim::playScenario(*scenario, run)) {}
    const sim::ScenarioDefinition* scenario;
    sim::Session session;
    sim::ScenarioRun run;
    sim::ScenarioResult result;
};

} // namespace test
