#pragma once
// A contract on a target travelling the roads in a wagon or a coach: guards in
// the wagon, riders escorting it, companions on the free seats. Nothing stands
// waiting for the player: the convoy is put on the road once the player is in
// the search area, some way down the road from the mission's point, and drives
// off about the roads. As the target moves, the loss rule follows the wagon.
#include "executors/base_contract_executor.h"

namespace drovil {

class WagonExecutor : public BaseContractExecutor {
public:
    explicit WagonExecutor(MissionData* mission);

    void cleanup() override;
    // Nothing is spawned when the set is prepared: the convoy comes later.
    void createMissionSet() override;
    void onUpdate() override;
    void prepareMissionSet() override;

    Vehicle getVehicle() const { return vehicle; }
    int getSpawnAt() const { return spawnAt; }

protected:
    // Until the wagon is on the road its traveller has not been created yet.
    bool targetStillToCome() const override { return !vehicle; }

private:
    void buildConvoy();
    // The peds in the wagon's seats; returns the guards still to place.
    int seatTargetAndGuards();
    void seatCompanions(int firstFreeSeat);
    void addEscortRider();

    int spawnAt = 0; // game seconds; 0 = not yet scheduled
    int nextFreeSeat = 0;
    Blip debugBlip; // on the wagon while the debug tools were on when it was placed
};

} // namespace drovil
