#include "behaviour/async_ped_task.h"

#include "runtime/natives.h"

namespace drovil {

void AsyncPedTask::tick() {
    if (waitFrames_ < 1)
        step();
    else
        --waitFrames_;
}

void AsyncPedTask::waitFor(int amount) {
    waitFrames_ = static_cast<int>(static_cast<float>(amount) * natives::frame::timeStep());
}

void driveAsyncPedTask(std::unique_ptr<AsyncPedTask>& task) {
    if (!task)
        return;
    task->tick();
    if (!task->isRunning())
        task.reset(task->next());
}

} // namespace drovil
