#pragma once
// A hunter out after game: he roams the ground about him with his weapon in
// hand, looks for an animal worth shooting ahead of him, stalks it (crouched
// for the last stretch), aims, fires, and carries the carcass off. A prey that
// gets away is given up with a curse and he roams on.
#include "behaviour/async_ped_task.h"

namespace drovil {

enum class HuntState { Roam = 0, Search = 1, Attack = 2, Collect = 3, Carry = 4, Done = 99 };

class HuntTask : public AsyncPedTask {
public:
    HuntTask(Ped hunter, bool carry, float searchRange, float roamRadius, Ped prey);
    ~HuntTask() override;

    bool isFinished() override;
    void step() override;

    HuntState getState() const { return state; }
    Ped getPrey() const { return prey; }

private:
    // The prey is there to be hunted: it exists and lives (and, when asked, is
    // not running away).
    bool hasUsablePrey(bool alsoNotFleeing) const;
    // Animals the hunter leaves alone: birds, predators, horses, anything that
    // is no game animal, and the animal kinds nobody hunts for meat.
    static bool isUnwantedPrey(Ped candidate);
    void roam();
    void search();
    void attack();
    void collect();
    void carryOff();
    // Gives up on the prey and roams on after a while.
    void loseThePrey();

    bool carry;
    float searchRange;
    float roamRadius;
    Ped prey;
    HuntState state = HuntState::Roam;
    // With the debug tools on, the prey being stalked is shown on the map.
    Blip preyBlip;
};

} // namespace drovil
