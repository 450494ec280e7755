#pragma once
// Hostages: the player may threaten a ped an executor marked as eligible (a
// target or a companion in town). Aiming at it offers the threaten prompt; a
// threatened ped reacts (HostageTask), and one held as a hostage can be shoved
// ahead of the player. Runs only while the "Hostages" setting is on.
#include "runtime/types.h"

#include <memory>

namespace drovil {

class HostageTask;
class Prompt;

// Entity decorators of the hostage system (integers).
extern const char* const hostageEnabledDecorator;  // 1: may be taken hostage
extern const char* const isHostageDecorator;       // 1 while held
extern const char* const timesThreatenedDecorator; // threats (and shoves) the player made

// True while the ped is held as a hostage.
bool isHostage(Ped ped);
// Marks a ped as held (or no longer held) for every script that asks.
void setHostageMark(Ped ped, bool held);

// The ped can be threatened now: alive, on foot like the player, not running
// away, not fighting him, and the law not after the player. With
// `needsMark`, the ped must also carry one of the hostage marks.
bool mayBeThreatened(Ped ped, bool needsMark);

class Hostages {
public:
    // Registers the hostage decorators.
    Hostages();
    ~Hostages();
    Hostages(const Hostages&) = delete;
    Hostages& operator=(const Hostages&) = delete;

    // Every frame while the "Hostages" setting is on.
    void update();

    // The ped being threatened or held, or null.
    const HostageTask* task() const { return task_.get(); }
    const Prompt* prompt() const { return prompt_.get(); }

private:
    void updateTask();
    void offerThreat();
    void removePrompt();

    std::unique_ptr<HostageTask> task_;
    std::unique_ptr<Prompt> prompt_;
};

// The process-wide hostage system, created at start-up (null before).
Hostages* hostages();
void createHostageSystem();
// The engine's per-frame step: the hostage system's update when the setting is on.
void updateHostages();

} // namespace drovil
