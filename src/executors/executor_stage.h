#pragma once
// The stages every contract executor goes through, and the mission status that
// belongs to each.
#include "world/mission_data.h"

namespace drovil {

enum class ExecutorStage : int {
    Approaching = 0, // the player has not reached the search area yet
    Blocked = 1,     // the engine holds the mission back
    Hunting = 2,     // the player is looking for the target, or fighting it
    Escaping = 3,    // the target is down; the player must get away
    Escaped = 4,     // the player got away: the contract is done
    // Dead or alive contracts: the target lies hogtied and is to be handed to
    // the sheriff of the contract's area.
    Delivering = 5,
    HandedOver = 6, // the sheriff took him in: the contract is done
};

// The mission status a stage stands for. Failure (4) has no stage: it is set
// directly, whatever the stage.
constexpr int missionStatusOfStage(ExecutorStage stage) {
    switch (stage) {
    case ExecutorStage::Approaching:
        return MissionStatus::Open;
    case ExecutorStage::Blocked:
        return MissionStatus::Blocked;
    case ExecutorStage::Hunting:
    case ExecutorStage::Escaping:
    case ExecutorStage::Delivering:
        return MissionStatus::Engaged;
    case ExecutorStage::Escaped:
    case ExecutorStage::HandedOver:
        return MissionStatus::Completed;
    }
    return MissionStatus::Open;
}

constexpr int stageNumber(ExecutorStage stage) {
    return static_cast<int>(stage);
}

} // namespace drovil
