#pragma once
// A ped the player threatened: it reacts (hands up, pleading, running, fighting
// back) by whether it is armed, where the player stands, whether the player is
// armed and its courage; held as a hostage it can be shoved ahead of the
// player and follows him.
#include "behaviour/async_ped_task.h"

namespace drovil {

enum class HostageState : int {
    Threatened = 0, // waiting for the first reaction
    Reacting = 1,
    Held = 2,       // hands up, facing the player
    Shoved = 3,     // walking ahead of the player
    Done = 99,      // released
};

// How the player aims at the ped he threatens: locked on (as he does unarmed,
// singling a man out) or through his sights.
enum class ThreatAim { LockedOn, FreeAim };

class HostageTask : public AsyncPedTask {
public:
    // `courage` from 0 to 1 (the ped's accuracy, in hundredths); `aim` the way
    // the player aimed when he made the threat.
    HostageTask(Ped ped, float courage, ThreatAim aim);

    bool isFinished() override;
    void step() override;

    HostageState state() const { return state_; }
    // A further threat, made with this aim: the reactions read that aim.
    void threatenedWith(ThreatAim aim) { aim_ = aim; }

private:
    enum class Reaction { None, Flee, Fight };
    void react(int threats, bool aiming, bool playerArmed, bool hostageArmed, float distance);
    void takeHostage(bool hostageArmed);
    void release(Reaction reaction);
    void shove();
    bool stillEligible();
    bool playerAimsAtPed() const;

    int threatsSeen_ = 0;
    HostageState state_ = HostageState::Threatened;
    float courage_;
    int spare_ = 0;
    int lineTimer_ = 0; // game clock seconds of the hostage's last line
    ThreatAim aim_;
};

} // namespace drovil
