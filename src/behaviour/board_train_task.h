#pragma once
// A ped getting on a train that waits at the station: it walks up to a car
// (the one nearest to it when none is given) and boards it; once the game
// reports the boarding over (it ran and no longer does, or it was over before
// it was ever seen running: done at once, or taken away), or after a time
// limit whatever the game reports, it walks to the car and takes a seat of the
// train's passengers there.
#include "behaviour/async_ped_task.h"

namespace drovil {

class BoardTrainTask : public AsyncPedTask {
public:
    // Phases of the boarding, in order.
    enum Phase { Board = 0, WaitBoarding = 1, WaitBoarded = 2, WalkToCar = 3, TakeSeat = 4, Done = 5 };

    // `carIndex` -1 chooses the car nearest to the ped; a train with fewer than
    // three cars gives none, and the task is over at once.
    BoardTrainTask(Ped ped, Vehicle train, int carIndex);

    // The boarding is given up as over after this long (game timer ms): a
    // walk up to a car from the platform takes seconds.
    static constexpr int boardingTimeLimitMs = 30000;

    bool isFinished() override;
    void step() override;

    int phase() const { return phase_; }
    int carIndex() const { return carIndex_; }
    Vehicle car() const { return car_; }

private:
    Vehicle train_;
    int carIndex_ = -1;
    Vehicle car_;
    int phase_ = Board;
    int boardingSinceMs_ = 0; // game timer when the boarding was given
};

} // namespace drovil
