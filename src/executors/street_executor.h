#pragma once
// A contract on a target strolling a town's streets with a small entourage of
// guards and companions. The scene is the target and the peds around it; while
// the hunt is on the target roams the streets for a while, then the whole
// entourage lingers at the nearest benches and rails until the target is free
// again, and so on. Being in town, every guard is disarmed (see addGuard).
#include "executors/base_contract_executor.h"

namespace drovil {

class StreetExecutor : public BaseContractExecutor {
public:
    explicit StreetExecutor(MissionData* mission);

    // The base's clean-up, then the debug tools' blip comes off the target.
    void cleanup() override;
    void createMissionSet() override;
    void onUpdate() override;

    // 1 while the target roams the streets, 0 while the entourage lingers.
    int getWanderPhase() const { return wanderPhase; }

private:
    // True while the target must be left to what happens to it: down, fighting
    // the player, running off, or held as a hostage.
    bool targetIsTaken() const;
    void startLingering();
    void startRoaming();

    int wanderPhase = 1;
    Blip debugBlip; // on the target while the debug tools were on when it was placed
    Hash wanderTaskHash = 0; // SCRIPT_TASK_WANDER_STANDARD, looked up once
};

} // namespace drovil
