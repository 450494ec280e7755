#pragma once
// A contract on a hunter camping in the wild: a tent camp at the mission's
// coords, the hunter with his companions, his horse and his dog. By day he
// goes out after game, shoots an animal and carries it back to camp; by night,
// and between hunts, he stays by the fire. His companions keep near the camp.
#include "behaviour/hunt_task.h"
#include "executors/base_contract_executor.h"

#include <memory>
#include <vector>

namespace drovil {

enum class HuntCycleState { None = -1, Idle = 0, Hunting = 1, AtCamp = 2 };

class HunterExecutor : public BaseContractExecutor {
public:
    explicit HunterExecutor(MissionData* mission);
    ~HunterExecutor() override;

    void cleanup() override;
    void createMissionSet() override;
    void addGuard(Ped ped) override;
    void onUpdate() override;

    HuntCycleState getHuntState() const { return huntState; }
    Propset getPropset() const { return propset; }
    const HuntTask* getHuntTask() const { return huntTask.get(); }

private:
    void spawnCompanions();
    void spawnHorseAndDog(const Vector3& targetPoint);
    // The hunter's game clock says day: 7:00 to 17:59.
    static bool isDaytime();
    void updateHuntCycle();
    void startHunt();
    // The hunter walks back to camp, lays down what he carries and rests by the fire.
    void returnToCamp();
    void keepCompanionsNearCamp();
    // The companions to place: the record's count, none when absent, at most a camp's worth.
    int campCompanionsCount() const;

    HuntCycleState huntState = HuntCycleState::None;
    Propset propset;
    std::unique_ptr<HuntTask> huntTask;
    // The hunter and his companions' manner towards strangers, hashed once.
    Hash camperPersonality = 0;
    // Companions sent back from afar, on their way: not sent again until back.
    std::vector<Ped> comingBack;
};

} // namespace drovil
