#include "behaviour/board_train_task.h"

#include "behaviour/script_task.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/natives.h"
#include "ui/text.h"

namespace drovil {
namespace {
constexpr int maxCars = 100;
// Close enough to the car to be put on one of its seats.
constexpr float seatReach = 2.5f;
constexpr float trainScenarioReach = 8.0f;

Hash boardTaskHash() {
    static const Hash hash = getHashKey("SCRIPT_TASK_BOARD_VEHICLE");
    return hash;
}
} // namespace

BoardTrainTask::BoardTrainTask(Ped ped, Vehicle train, int carIndex)
    : AsyncPedTask(ped), train_(train), carIndex_(carIndex) {
    if (carIndex_ == -1 && natives::train::carriage(train_, 2)) {
        const Vector3 from = positionOf(ped_);
        int best = 9999; // whole metres
        for (int index = 0; index < maxCars; ++index) {
            const Vehicle car = natives::train::carriage(train_, index);
            if (!car)
                break;
            const int metres = static_cast<int>(distanceBetween(from, positionOf(car.entity())));
            if (metres < best) {
                best = metres;
                carIndex_ = index;
            }
        }
    }
    car_ = natives::train::carriage(train_, carIndex_);
}

bool BoardTrainTask::isFinished() {
    return !car_ || phase_ == Done;
}

void BoardTrainTask::step() {
    switch (phase_) {
    case Board:
        natives::train::boardVehicle(ped_, car_, -1, 1.25f, 1);
        boardingSinceMs_ = gameTimerMs();
        phase_ = WaitBoarding;
        break;
    case WaitBoarding:
    case WaitBoarded: {
        const int status = natives::task::scriptTaskStatus(ped_, boardTaskHash(), true);
        const bool timeUp = gameTimerMs() - boardingSinceMs_ >= boardingTimeLimitMs;
        if (phase_ == WaitBoarding && status != task_status::waitingToStart && taskUnderWay(status))
            phase_ = WaitBoarded;
        else if (!taskUnderWay(status) || timeUp)
            phase_ = WalkToCar;
        break;
    }
    case WalkToCar: {
        const Vector3 at = positionOf(car_.entity());
        natives::task::goToPoint(ped_, at, 1.0f, 10000, 1.0f, 0, 0.0f);
        phase_ = TakeSeat;
        break;
    }
    case TakeSeat: {
        const Vector3 at = positionOf(car_.entity());
        if (distanceBetween(positionOf(ped_), at) <= seatReach) {
            natives::train::useNearestTrainScenarioWarp(ped_, at, trainScenarioReach);
            phase_ = Done;
        }
        break;
    }
    default:
        break;
    }
}

} // namespace drovil
