#pragma once
// A camp guard's own stealth awareness. The guard sees the player only within a
// range that shrinks with crouching, foliage, night, rain and wind, hears him
// within a range that shrinks with wind, reacts to shots and dead bodies, and
// climbs from Unaware through Suspicious and Searching to Combat, from where it
// never comes back. Every mode change is announced on the guard's own channel.
//
// The camp executor makes one per guard it spawns, calls `update` every frame
// for each guard that `isAlive`, and reads `getMode` and `timeInMode`.
#include "behaviour/async_ped_task.h"
#include "behaviour/check_shocking_noise_task.h"
#include "behaviour/check_suspicious_event_task.h"
#include "runtime/events.h"
#include "runtime/types.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace drovil {

enum class GuardMode : std::int32_t { Unaware = 0, Suspicious = 1, Searching = 2, Combat = 3 };

class GuardAI : public EventsChannel<GuardModeChange> {
public:
    // Gives the ped the game's stealth behaviour set; the guard starts Unaware.
    explicit GuardAI(Ped ped);
    GuardAI(const GuardAI&) = delete;
    GuardAI& operator=(const GuardAI&) = delete;

    // The guard has seen `target`: it gets a blip and fights it.
    virtual void onTargetSpotted(Ped target);
    // The guard stops what it does and searches.
    virtual void onAlerted();
    // Keeps the entity and where it is now.
    virtual void remember(Entity entity);
    // A noise at `position`: investigated when within the noise range.
    virtual bool onNoiseAt(const Vector3& position);
    // A shot by `shooter` was heard or whizzed by.
    virtual void onShotFired(Entity shooter);
    // Goes to look at `position` when it is more than 5 m from the last point
    // investigated; true when that started an investigation.
    virtual bool investigate(const Vector3& position);
    // The guard found a body no guard had found before.
    virtual void onBodyDiscovered(Entity body);

    virtual ~GuardAI();

    // One frame of awareness. Does nothing for a dead guard or one in Combat.
    void update();
    // The contract is over: the blip the guard got when it spotted the player
    // is taken off it, before the guard goes back to the game as any other ped.
    void removeBlip();
    void setMode(GuardMode mode);
    GuardMode getMode() const { return mode_; }
    Ped getPed() const { return ped_; }
    bool isAlive() const;
    // Where the guard stands, read once between two yields.
    Vector3 position() const;
    // Game timer units since the current mode began.
    int timeInMode() const;

    // The investigation under way, if any.
    const AsyncPedTask* currentTask() const { return currentTask_; }
    const Vector3& lastPosition() const { return lastPosition_; }
    Entity lastEntity() const { return lastEntity_; }

private:
    bool isDead() const;

    void listenForPlayer(Ped player);

    GuardMode mode_ = GuardMode::Unaware;
    Ped ped_;
    // The guard's investigations live in place, made anew for each noise, so
    // that a guard hearing a shot allocates nothing; currentTask_ points at
    // the one under way (or at what a finished task handed on, kept in
    // following_), null for none.
    std::optional<CheckShockingNoiseTask> noiseTask_;
    std::optional<CheckSuspiciousEventTask> suspiciousTask_;
    std::unique_ptr<AsyncPedTask> following_;
    AsyncPedTask* currentTask_ = nullptr;
    void checkNoise(const Vector3& position);
    void driveTask();
    int modeStart_ = 0;
    Vector3 lastPosition_;
    Entity lastEntity_;
    Blip blip_; // the one this guard added on spotting the player
    // The sight range the game holds for this guard.
    float seeingRange_ = -1.0f;
};

} // namespace drovil
