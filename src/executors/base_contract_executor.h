#pragma once
// What every contract executor shares: one executor runs one accepted mission in
// the world. The base keeps the stage machine and its mission status, the
// search-area blip, builds the scene once when the player comes near, lets the
// player recognise the target, warns and fails when the target is left behind,
// explains a knock-out, waits for the escape after the take-down, gives the
// quick card key, and applies the honour, loot and weapon rules to every ped of
// the scene. Each setting type derives a class that builds its own scene in
// createMissionSet and may override the other hooks.
//
// Driving it (the engine's side):
//  - Construct it with the mission record (the engine keeps owning the record)
//    and subscribe to its status channel. Call block(false) at once when the
//    player is already within the mission's spawnDistance of its coords.
//  - Every frame: update(); or block(true) while the game does not let the
//    mission run; or unblock() and then update() when a blocked mission may go on.
//  - The channel announces every real change of the mission's status, after
//    the record holds it. When the announced status is 2 (completed) or 4
//    (failed) the mission is over: call cleanup() and stop updating it.
//  - Deleting it: an executor announces its end from inside its own update(),
//    and its code is still on the stack while the subscriber is told. Never
//    delete it while isBusy() is true; keep it aside and delete it once the
//    call that is running (update, block or unblock) has returned.
#include "executors/executor_stage.h"
#include "runtime/events.h"
#include "runtime/types.h"
#include "world/mission_data.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace drovil {

class AliveDelivery;
class MapArea;

class BaseContractExecutor : public EventsChannel<MissionStatusChangeEvent*> {
public:
    // Reads the recognition thresholds from GeneralMeta.dat (-999 when absent:
    // that kind of recognition then never happens).
    explicit BaseContractExecutor(MissionData* mission);
    virtual ~BaseContractExecutor();
    BaseContractExecutor(const BaseContractExecutor&) = delete;
    BaseContractExecutor& operator=(const BaseContractExecutor&) = delete;

    // --- Hooks, in slot order ---

    // The one distance test of every stage rule. While Hunting, Escaping or
    // Delivering: the player's ped within `distance` of the target. Otherwise: the player within
    // `distance` of the search-area centre, a distance of 0 or less meaning the
    // mission's blipRadius.
    virtual bool isPlayerWithin(float distance);
    // Hands the scene back to the game: blips removed, every spawned entity
    // released (it stays in the world), the card key's control enabled again.
    // A derived class calls this first, then releases its own things.
    virtual void cleanup();
    // Spawns the scene: the target first (addTarget), then guards and companions
    // (addGuard, addCompanion); every further entity goes into spawnedEntities.
    virtual void createMissionSet() = 0;
    virtual void addTarget(Ped ped);
    virtual void addGuard(Ped ped);
    virtual void addCompanion(Ped ped);
    // Called at the end of every full update.
    virtual void onUpdate();
    // Once per executor life: createMissionSet between two log lines.
    virtual void prepareMissionSet();
    virtual void onTrackingStarted();
    virtual void onTargetRecognized();
    virtual void onTargetDown();
    virtual void onEscaped();
    virtual void onTargetLost();

    // --- Driving ---

    void update();
    // Holds the mission back (status 3). `silent` leaves no blip on the map;
    // otherwise a radius-0 blip marked as blocked shows where it is.
    void block(bool silent);
    // Lets a blocked mission go on: back to Approaching (status 0).
    void unblock();
    void setStage(ExecutorStage newStage);
    // Stores the status in the record, then announces the change (only a real one).
    void setStatus(int newStatus);

    // --- Flags, hints and the log ---

    // 0 for a name never set.
    // Asked every frame: a name of any text, found without a copy.
    int getMissionFlag(std::string_view name) const;
    void setMissionFlag(std::string_view name, int value);
    // The tutorial "hints." + name, at most once per mission, only with Hints on.
    void showHintOnce(std::string_view name);
    // "ContractExecutor [<id>]: " + message, to the log.
    void executorLog(const std::string& message) const;

    // A radius blip over the search area (nothing when there is one already).
    // A negative radius means the mission's blipRadius.
    void createAreaBlip(float radius);
    // One frame of recognising the target by sight or by aiming.
    void updateTargetRecognition();

    // --- Accessors ---

    MissionData* getMission() const { return mission; }
    int getMissionId() const { return mission->id; }
    bool hasTargetBlip() const { return static_cast<bool>(targetBlip); }
    // The map area of the mission's areaId; null when the areas are not built
    // or the id is unknown.
    const MapArea* getArea() const;
    ExecutorStage getStage() const { return stage; }
    // True while update, block or unblock is running on this executor (its own
    // announcements come from inside them): deleting it now would pull the
    // executor from under its own code.
    bool isBusy() const { return activeCalls_ > 0; }

protected:
    // The mission's setting is in the countryside (camps, wagons on the road...).
    bool isOutsideTown() const;
    // The mission has ended (completed or failed): the engine has been told.
    bool hasEnded() const;
    // Contracts are dead or alive (the AliveBounties setting): a hogtied
    // target may be handed to the sheriff for a bonus.
    bool deadOrAlive() const;
    // True while a prepared scene is still to bring its target (a convoy put on
    // the road only once the hunt is on): no target yet is then no failure.
    virtual bool targetStillToCome() const { return false; }
    // Gives the ped its loot decorator for a stored amount in cents (80% to 120%).
    static void setLootMoney(Ped ped, int cents);
    // The Lang.dat text of `key`.
    static const std::string& langText(const std::string& key);
    // The target's position, read once between two yields (the frame's rules
    // ask for it several times).
    Vector3 targetPosition() const;

    int frameSkip = 0;
    bool tooFarWarned = false;
    bool recognitionTimerRunning = false;
    ExecutorStage stage = ExecutorStage::Approaching;
    Ped targetPed;
    std::vector<Ped> guards;
    std::vector<Ped> companions;
    std::vector<Ped> scenePeds;
    std::vector<Entity> spawnedEntities;
    MissionData* mission = nullptr;
    Blip areaBlip;
    bool missionSetPrepared = false;
    Hash relationshipGroup = 0; // the game's ped group of the scene: the target leads it
    Blip targetBlip;
    Vehicle vehicle;
    std::map<std::string, int, std::less<>> missionFlags;
    float recognitionDistance = -999.0f;
    float aimingRecognitionDistance = -999.0f;
    float aimingRecognitionSeconds = -999.0f;
    bool eagleEyeAllowed = true;

private:

    // Counts the driving calls running on this executor (see isBusy).
    class BusyScope {
    public:
        explicit BusyScope(int& calls) : calls_(calls) { ++calls_; }
        ~BusyScope() { --calls_; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        int& calls_;
    };

    void runBlockedGate();
    void updateQuickCardKey();
    void updateApproaching();
    void updateHunting();
    // Fails the mission when its scene was built without a target; true then.
    bool failIfNoTarget();
    void updateEscaping();
    // Dead or alive: a living target knocked out, lassoed or hogtied.
    void updateLiveTarget();
    void startDelivering();
    void updateDelivering();
    void stopDelivering();
    void sendGangToFreeTarget();
    // A target brought down dead earns no alive bonus.
    void forfeitAliveBonus();
    void sendDogTrackingEvent();
    void applyHonourRules(Ped ped, bool companion);

    int activeCalls_ = 0;
    // Taking the hogtied target to the sheriff (made at the first hogtie).
    std::unique_ptr<AliveDelivery> delivery_;
    int hogtiedAtMs_ = 0;
    // The target's men sent to free him, and the one cutting him loose.
    std::vector<Ped> rescuers_;
    Ped cutter_;
};

} // namespace drovil
