#pragma once
// Running one contract executor in a simulated game without the contract
// engine: a small executor whose scene is one target (and, on request, guards
// and companions), and a stand-in for the engine that creates it on the script
// thread, drives it every frame from a guarded frame step, hears its status
// changes, cleans it up when the mission ends and deletes it only once the
// executor's own call has returned.
#include "executors/base_contract_executor.h"
#include "executors/contract_card_access.h"
#include "runtime/events.h"
#include "session/session.h"
#include "world/mission_data.h"

#include <memory>
#include <string>
#include <vector>

namespace extest {

class TestExecutor : public drovil::BaseContractExecutor {
public:
    TestExecutor(drovil::MissionData* mission, int guardCount, int companionCount)
        : BaseContractExecutor(mission), guardCount_(guardCount), companionCount_(companionCount) {}

    void createMissionSet() override;
    void onEscaped() override;
    void onUpdate() override { ++updates; }

    drovil::Ped target() const { return targetPed; }
    const std::vector<drovil::Ped>& guardPeds() const { return guards; }
    const std::vector<drovil::Ped>& companionPeds() const { return companions; }
    const std::vector<drovil::Ped>& allScenePeds() const { return scenePeds; }
    const std::vector<drovil::Entity>& spawned() const { return spawnedEntities; }
    drovil::Hash group() const { return relationshipGroup; }
    drovil::Blip searchAreaBlip() const { return areaBlip; }
    drovil::Blip recognisedTargetBlip() const { return targetBlip; }
    bool warnedTooFar() const { return tooFarWarned; }
    int flag(const std::string& name) const { return getMissionFlag(name); }

    int escapes = 0;
    int updates = 0;

private:
    int guardCount_;
    int companionCount_;
};

// What the engine would do with the executor, reduced to what the base needs.
class EngineStandIn : public drovil::EventsSubscriber<drovil::MissionStatusChangeEvent*> {
public:
    void onEvent(drovil::MissionStatusChangeEvent* event) override;
    // One frame: creates a pending executor, else drives the running one.
    void frame();

    drovil::MissionData mission;
    int guardCount = 0;
    int companionCount = 0;
    bool createPending = false;
    bool blockEachFrame = false; // block(true) instead of update(), as for a player who is not free
    bool unblockPending = false;

    std::unique_ptr<TestExecutor> executor; // while the mission runs
    std::unique_ptr<TestExecutor> retired;  // ended, waiting for its own call to return
    std::vector<drovil::MissionStatusChangeEvent> events;
    std::vector<std::string> statusLog; // "old->new" seen by the subscriber, with the record's status then
    bool cleanedUp = false;
    bool busyWhenEnded = false;
    bool deleted = false;
    // Filled at the end: what the executor held when it was cleaned up.
    int targetAtEnd = 0;
    std::vector<int> spawnedAtEnd;
};

EngineStandIn& engine();

// The contract card as the key sees it: records every opening.
class FakeCard : public drovil::ContractCardAccess {
public:
    bool isCardOpen() const override { return open; }
    void openCard(drovil::MissionData& mission) override {
        ++opened;
        lastMissionId = mission.id;
        open = true;
    }
    bool open = false;
    int opened = 0;
    int lastMissionId = -1;
};

// Where the tests put the contract: 220 m north of the player's starting point
// on Valentine's main street, at the same height.
drovil::Vector3 contractCoords();

// A town mission (Street): search area of 40 m on the coords, scene built within
// 100 m, target lost beyond 120 m.
drovil::MissionData streetMission();
// A camp in the wild: search area of 90 m centred 30 m east of the coords,
// scene built within 250 m, target lost beyond 270 m, a criminal with loot.
drovil::MissionData campMission();

// The shipped GeneralMeta.dat with the tuning the tests rely on appended (later
// keys win): sight within 20 m, aiming within 60 m for 1 s, escape beyond 200 m.
std::string testGeneralMeta();
// Session options with that tuning, plus the given Settings.ini lines.
sim::SessionOptions testOptions(std::vector<std::string> settingsLines = {});

// Starts the game, puts the player `playerMetresSouth` south of the mission's
// coords and has the stand-in create the executor in the next frame (blocked at
// once when the player is within its spawnDistance, as the engine does).
// Returns false when the game did not start.
bool startContract(sim::Session& session, const drovil::MissionData& mission,
                   float playerMetresSouth = 400.0f, int guards = 0, int companions = 0);

// Moves the player to `metres` south of `point` (same height).
void putPlayerSouthOf(sim::Session& session, const drovil::Vector3& point, float metres);
// Runs frames until the scene's target exists (at most `maxFrames`).
bool waitForTarget(sim::Session& session, int maxFrames = 120);
// Walks into the search area right next to the target and runs until Hunting.
bool startHunting(sim::Session& session, float metresFromTarget = 5.0f);
sim::EntityRecord* targetRecord(sim::Session& session);

// How often the HUD showed this subtitle, and how often the log has this text.
int subtitleCount(sim::Session& session, const std::string& text);
int logCount(const sim::Session& session, const std::string& text);
// The text of a Lang.dat key in the session's game folder.
std::string langText(sim::Session& session, const std::string& key);

} // namespace extest
