#pragma once
// The train station contract whose target leaves by coach: once due, a coach
// with a driver and a guard is put on the road some way off and drives up to
// the station; when it stands near the spot the target gets in, and the coach
// drives off about the roads with him.
#include "executors/train_station_executor.h"

namespace drovil {

class WagonVariantExecutor : public TrainStationExecutor {
public:
    explicit WagonVariantExecutor(MissionData* mission);

    // The base's clean-up; the coach goes back to the game with the rest of the scene.
    void cleanup() override;
    void onUpdate() override;
    // The coach on the road about 180 m from the station, its driver told to
    // drive up to the road by the station. When there is no road for it: logged,
    // and not tried again.
    void spawnTransport() override;

    Vehicle getCoach() const { return coach; }
    Ped getCoachDriver() const { return coachDriver; }
    int getArrivalPhase() const { return arrivalPhase; }

private:
    void boardIfCoachWaits();
    void driveOff();

    Vehicle coach;
    Ped coachDriver;
    int arrivalPhase = 0; // 0 waiting, 1 coach on its way, 2 target getting in, 3 done
};

} // namespace drovil
