#pragma once
// A contract on a prisoner held in the cell of a town's sheriff's office, with a
// jail guard watching him, and a prison wagon on its way to take him away. The
// player may stop the wagon on the road, or take its driver's seat and drive it
// to the office himself, where the jail guard loads the prisoner into it. The
// prisoner may try to run while he walks to the wagon; a jail guard left behind
// turns on the player.
#include "executors/base_contract_executor.h"

#include <vector>

namespace drovil {

struct PoliceDepartment;

class PrisonerTransportExecutor : public BaseContractExecutor {
public:
    explicit PrisonerTransportExecutor(MissionData* mission);

    void cleanup() override;
    void createMissionSet() override;
    void addTarget(Ped ped) override;
    void onUpdate() override;

    int getTransportPhase() const { return transportPhase; }
    Ped getJailGuard() const { return jailGuard; }
    Vehicle getVehicle() const { return vehicle; }

private:
    void setOut();
    void onTheWay();
    void startLoading();
    void prisonerWalking();
    void departure();
    void guardLeftBehind();
    void prisonerFled();
    bool playerDrivesWagon() const;
    void releaseJailPeds();

    const PoliceDepartment* office = nullptr;
    const char* escortModel = nullptr;
    int transportPhase = -1;
    Ped jailGuard;
    Blip destinationBlip;
    // With the debug tools on, on the jail guard and on the wagon.
    Blip jailGuardDebugBlip;
    Blip wagonDebugBlip;
    std::vector<Ped> jailPeds;
};

} // namespace drovil
