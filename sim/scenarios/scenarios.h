#pragma once
// The scenarios drovil-sim and the tests play: each is a small script of the
// scripted player's steps, with what it needs in the game folder and the world
// before the game starts, and its own measure of success.
#include "scenarios/scenario_run.h"

#include <string>
#include <vector>

namespace sim {

struct ScenarioResult {
    bool success = false;
    std::string summary;
};

struct ScenarioDefinition {
    std::string name;
    std::string description;
    // Files of the game folder before the game starts (may be empty).
    void (*prepareFiles)(SessionOptions& options) = nullptr;
    // The world before the first frame: time of day, weather (may be empty).
    void (*prepareWorld)(World& world) = nullptr;
    ScenarioResult (*play)(ScenarioRun& run) = nullptr;
};

const std::vector<ScenarioDefinition>& allScenarios();
const ScenarioDefinition* findScenario(const std::string& name);

// Session options for the scenario: the seed and its files.
SessionOptions scenarioOptions(const ScenarioDefinition& scenario, std::uint32_t seed);
// Plays it to its end; a stop (frame limit, something never came) is a failure
// whose summary says why.
ScenarioResult playScenario(const ScenarioDefinition& scenario, ScenarioRun& run);

// A camp contract of Valentine already taken (mission 0 in the town's slot): a
// camp in the hills east of the town with four guards.
void writeTakenCampContract(SessionOptions& options);

} // namespace sim
