#pragma once
// The registry of the contract missions in play: one executor per accepted
// mission, one save slot per map area. It turns accepted offers into missions,
// restores them at start-up, drives them every frame, suspends and resumes them,
// ends them (paying the reward), and answers other scripts' events.
#include "executors/base_contract_executor.h"
#include "runtime/events.h"
#include "world/mission_data.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace drovil {

class MapArea;

class DrovilEngine : public EventsSubscriber<ContractAcceptedEvent*>,
                     public EventsSubscriber<MissionStatusChangeEvent*> {
public:
    // Subscribes to accepted quest offers and restores the saved missions.
    DrovilEngine();
    DrovilEngine(const DrovilEngine&) = delete;
    DrovilEngine& operator=(const DrovilEngine&) = delete;

    // Once per frame, from the main loop.
    void update();
    BaseContractExecutor* find(int missionId) const;
    std::size_t missionsInPlay() const { return registry_.size(); }

    void onEvent(ContractAcceptedEvent* event) override;
    void onEvent(MissionStatusChangeEvent* event) override;

    // Generates, saves and registers a new mission for the area; null when none
    // could be made.
    MissionData* createAreaMission(int areaId);

    // Generation gives up after this many failed attempts in a row.
    static constexpr int maxGenerationAttempts = 50;

private:
    void restoreMissions();
    void moveZoneSlots();
    bool restoreSlot(const std::string& slotKey, int areaId);
    bool restoreMission(const std::string& slotKey, int areaId, int id);
    void setAside(const std::string& slotKey, int id);
    int nextFreeMissionId();
    void clearSlotOf(const MissionData& mission);
    std::unique_ptr<BaseContractExecutor> createExecutor(MissionData* mission);
    void registerExecutor(int id, std::unique_ptr<BaseContractExecutor> executor);
    void endMission(const MissionStatusChangeEvent& event);
    // Ends a mission of ours that has no executor (its setting has none).
    void endMissionWithoutExecutor(const MissionStatusChangeEvent& event);
    void payReward(const MissionData& mission);
    void updateExecutors();
    bool isPlayerFree() const;
    bool anyContractEngaged() const;
    void handleScriptEvents();
    void startExternalMission(int areaId, int templateId, int bounty);
    void sendMissionFinished(const MissionData& mission, int status);
    void destroyRetiredExecutors();
    // Lets go of an ended mission's record once nothing holds it.
    void forgetEndedMission(const MissionData* mission);
    MissionData* keepRecord(MissionData record);

    std::map<int, std::unique_ptr<BaseContractExecutor>> registry_;
    // Executors whose mission ended: deleted once none of their own calls is
    // still running (an executor announces its end from inside its update).
    std::vector<std::unique_ptr<BaseContractExecutor>> retired_;
    // Records the engine generated, each freed (with the mission files' entry
    // that points to it) once its mission has ended and its executor is gone.
    std::vector<std::unique_ptr<MissionData>> records_;
};

// The process-wide engine: created last at start-up, never destroyed.
void createDrovilEngine();
DrovilEngine* drovilEngine();
void updateDrovilEngine();

} // namespace drovil
