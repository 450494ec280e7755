#pragma once
// The train station contract whose target leaves by train: once due, a train
// is put on the track some way down the line and runs in to the station; when
// it is near the target walks to where passengers wait for it, and when it has
// stopped he boards the car nearest to him. The train then leaves with him.
#include "behaviour/board_train_task.h"
#include "executors/train_station_executor.h"

#include <memory>

namespace drovil {

class TrainVariantExecutor : public TrainStationExecutor {
public:
    // The game's train configuration of the mission train.
    static constexpr Hash trainConfig = 0xFAB2FFB9;

    explicit TrainVariantExecutor(MissionData* mission);
    ~TrainVariantExecutor() override;

    // The base's clean-up; the train goes back to the game with the rest of
    // the scene and the boarding stops.
    void cleanup() override;
    void onUpdate() override;
    // A train on the track at the station's remote point, facing the station.
    // When its cars do not load or the game makes none: logged, and a second's
    // wait before a later frame tries again.
    void spawnTransport() override;

    Vehicle getTrain() const { return train; }
    int getArrivalPhase() const { return arrivalPhase; }
    const BoardTrainTask* getBoardTask() const { return boardTask.get(); }

private:
    // Every car model of the configuration asked for, and checked up to ten
    // times 50 ms apart; true once all are loaded.
    static bool loadCarModels();
    // The requests of those models let go once a train is made or not.
    static void releaseCarModels();
    void sendTargetToPlatform();

    Vehicle train;
    int arrivalPhase = 0; // 0 waiting, 1 train on its way, 2 walking to the platform, 3 boarding
    std::unique_ptr<BoardTrainTask> boardTask;
    Blip debugWaitBlip; // "waiting coords", with the debug tools on
};

} // namespace drovil
