#pragma once
// A behaviour of one ped that spans many frames (investigating a noise, a
// hostage, a hunt). The owner drives it once per frame:
//
//     task->tick();
//     if (!task->isRunning()) replace the task by task->next();
//
// `driveAsyncPedTask` does exactly that for an owner holding the task in a
// unique_ptr. A task is created already started: its constructor gives the ped
// its first orders.
#include "runtime/types.h"

#include <memory>

namespace drovil {

class AsyncPedTask {
public:
    explicit AsyncPedTask(Ped ped) : ped_(ped) {}
    AsyncPedTask(const AsyncPedTask&) = delete;
    AsyncPedTask& operator=(const AsyncPedTask&) = delete;

    virtual bool isFinished() = 0;
    virtual bool isCancelled() { return false; }
    virtual bool isRunning() { return !isFinished() && !isCancelled(); }
    // The task that follows this one, newly made; the caller owns it. Null when
    // nothing follows.
    virtual AsyncPedTask* next() { return nullptr; }
    // One frame of the behaviour.
    virtual void step() = 0;

    virtual ~AsyncPedTask() = default;

    Ped getPed() const { return ped_; }
    // Runs `step`, unless the task is waiting: then one frame of the wait passes.
    void tick();
    // Waits `amount` scaled by the game's per-frame rate value, in frames.
    void waitFor(int amount);
    int waitFrames() const { return waitFrames_; }

protected:
    Ped ped_;

private:
    int waitFrames_ = 0;
};

// Ticks the task and, once it no longer runs, replaces it by its follower (or
// by nothing). Does nothing for an empty pointer.
void driveAsyncPedTask(std::unique_ptr<AsyncPedTask>& task);

} // namespace drovil
