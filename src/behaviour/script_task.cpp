#include "behaviour/script_task.h"

#include "runtime/natives.h"
#include "ui/text.h"

namespace drovil {

bool taskUnderWay(int status) {
    return status == task_status::waitingToStart || status == task_status::performing ||
           status == task_status::dormant;
}

Hash nearestScenarioTask() {
    static const Hash hash = getHashKey("SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS");
    return hash;
}

bool busyWithTask(Ped ped, Hash scriptTask) {
    return taskUnderWay(natives::task::scriptTaskStatus(ped, scriptTask, true)) ||
           natives::task::isUsingAnyScenario(ped);
}

} // namespace drovil
