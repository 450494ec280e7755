#pragma once
// A guard goes to see what made a suspicious noise: it asks what that was, walks
// most of the way there with its weapon out, looks about, stands a while and
// goes back to its place, saying it found nothing once the search is over.
#include "behaviour/async_ped_task.h"

namespace drovil {

class CheckSuspiciousEventTask : public AsyncPedTask {
public:
    // Gives the guard its orders at once, then waits 50 ms.
    CheckSuspiciousEventTask(Ped guard, const Vector3& point);

    bool isFinished() override;
    void step() override;

    const Vector3& point() const { return point_; }
    bool saidNothingFound() const { return closingLineSaid_; }

private:
    Vector3 point_;
    bool closingLineSaid_ = false;
};

} // namespace drovil
