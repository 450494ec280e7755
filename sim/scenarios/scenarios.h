#pragma once
// The scenarios drovil-sim and the tests play: each is a small script of the
// scripted player's steps, with what it needs in the game folder and the world
// before the game starts, and its own measure of success.
#include "scenarios/scenario_run.h"

#include <map>
#include <string>
#include <vector>

namespace sim {

struct ScenarioResult {
    bool success = false;
    std::string summary;
};

// Files to put into Drovil/ before the game starts, by path relative to it.
using ScenarioFiles = std::map<std::string, std::string>;

struct ScenarioDefinition {
    std::string name;
    std::string description;
    // Files of the game folder before the game starts (may be empty).
    void (*prepareFiles)(ScenarioFiles& files) = nullptr;
    // The world before the first frame: time of day, weather (may be empty).
    void (*prepareWorld)(World& world) = nullptr;
    ScenarioResult (*play)(ScenarioRun& run) = nullptr;
    // Plays dead or alive contracts (the shipped AliveBounties on); the others
    // play in a folder whose contracts are dead-only, as they were before.
    bool aliveBounties = false;
};

const std::vector<ScenarioDefinition>& allScenarios();
const ScenarioDefinition* findScenario(const std::string& name);

// The files the scenario needs in Drovil/ before the game starts.
ScenarioFiles scenarioFiles(const ScenarioDefinition& scenario);
// Plays it to its end; a stop (frame limit, something never came) is a failure
// whose summary says why.
ScenarioResult playScenario(const ScenarioDefinition& scenario, ScenarioRun& run);

// The cash a player of first-contract carries from the start (enough to pay a
// saloon's working girl).
inline constexpr int firstContractPocketCents = 2000;

// A camp contract of Valentine already taken (mission 0 in the town's slot): a
// camp in the hills east of the town with four guards.
void writeTakenCampContract(ScenarioFiles& files);

} // namespace sim
