#pragma once
// A contract on a target hiding in an outlaw camp in open country: a camp
// propset at the mission's coords, the target and armed guards about the fire,
// their horses a little way off. Every guard has its own stealth awareness;
// while unaware the guards idle about the camp, and once one of them has been
// fighting for a while the whole camp turns on the player.
#include "behaviour/guard_ai.h"
#include "executors/base_contract_executor.h"

#include <memory>
#include <optional>
#include <vector>

namespace drovil {

class CampExecutor : public BaseContractExecutor {
public:
    explicit CampExecutor(MissionData* mission);
    ~CampExecutor() override;

    void cleanup() override;
    void createMissionSet() override;
    void addGuard(Ped ped) override;
    void onUpdate() override;

    Propset getPropset() const { return propset; }
    bool hasCombatStarted() const { return combatStarted; }
    const std::vector<GuardAI*>& getGuardAIs() const { return guardAIs; }

private:
    // Streams the propset in and places it; false when it never came.
    bool placePropset();
    void spawnHorses();
    // The guards to place: the record's count, none when absent, at most a camp's worth.
    int campGuardsCount() const;
    void updateCamp();
    void keepIdling(GuardAI& guard);

    Propset propset;
    // In the order the guards were added; the camp update visits them so.
    // Each lives in a slot of guardSlots, made with room for a camp's worth
    // when the guards are announced: a guard joins a frame or more later, once
    // his model has loaded and he has his orders, and that frame allocates nothing.
    std::vector<GuardAI*> guardAIs;
    std::unique_ptr<std::optional<GuardAI>[]> guardSlots;
    std::size_t guardSlotCount = 0;
    bool combatStarted = false;
};

} // namespace drovil
