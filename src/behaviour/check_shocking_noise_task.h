#pragma once
// A guard alarmed by a shot or a second noise: it calls out, aims at the point
// and to either side of it, advances part of the way, covers the ground beyond
// and goes back to its place.
#include "behaviour/async_ped_task.h"

namespace drovil {

class CheckShockingNoiseTask : public AsyncPedTask {
public:
    // Gives the guard its orders at once, then waits 50 ms.
    CheckShockingNoiseTask(Ped guard, const Vector3& point);

    bool isFinished() override;
    void step() override {}

    const Vector3& point() const { return point_; }

private:
    Vector3 point_;
    [[maybe_unused]] int spare_ = 0; // kept for the record layout; nothing reads it
};

} // namespace drovil
