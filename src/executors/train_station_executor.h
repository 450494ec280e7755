#pragma once
// A contract on a target waiting at a train station with his guards for a
// transport. Some time after the scene is built the transport arrives and the
// target boards it; the player has to find him before he is gone. Two
// transports exist, one class each (the mission's variant chooses): a train
// that stops at the station (TrainVariantExecutor) and a coach that calls
// there and drives off about the roads (WagonVariantExecutor). This class
// builds the waiting scene and schedules the transport.
#include "executors/base_contract_executor.h"

namespace drovil {

class TrainStationExecutor : public BaseContractExecutor {
public:
    explicit TrainStationExecutor(MissionData* mission);

    // The base's clean-up, then the debug tools' blip comes off the target.
    void cleanup() override;
    // The target near the station's spot, waiting on the nearest bench or rail,
    // with his guards about him.
    void createMissionSet() override;
    // Once, with the scene: schedules the transport some game minutes ahead
    // (at once with the debug tools on).
    void prepareMissionSet() override;
    // Puts the transport into the world; each variant brings its own.
    virtual void spawnTransport() = 0;

    // Game seconds until the transport is due (0 or less: due).
    int timeUntilSpawn() const;
    int getSpawnAt() const { return spawnAt; }

protected:
    int spawnAt = 0; // game seconds; 0 = not yet scheduled

private:
    Blip debugBlip; // on the target while the debug tools were on when it was placed
};

} // namespace drovil
