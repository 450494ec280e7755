#pragma once
// Which executor runs a mission: one class per setting type (and, for train
// station missions, per variant).
#include "executors/base_contract_executor.h"
#include "world/mission_data.h"

#include <functional>
#include <memory>

namespace drovil {

using ExecutorMaker = std::function<std::unique_ptr<BaseContractExecutor>(MissionData* mission)>;

// The executor for `mission`, or null (logged) when its setting has none.
std::unique_ptr<BaseContractExecutor> createExecutorFor(MissionData* mission);

// Replaces the executor of one setting type: for scripts that bring their own
// scene, and for tests. An empty maker restores the built-in one.
void overrideExecutorMaker(SettingType setting, ExecutorMaker maker);

} // namespace drovil
