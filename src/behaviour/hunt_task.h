#pragma once
// A hunter out after game: he roams the ground about him with his weapon in
// hand, looks for an animal worth shooting ahead of him, stalks it (crouched
// for the last stretch), aims, fires, and carries the carcass off. A prey that
// gets away is given up with a curse and he roams on; a search that finds
// nothing for a long while, or nightfall, ends the hunt.
#include "behaviour/async_ped_task.h"

namespace drovil {

enum class HuntState { Roam = 0, Search = 1, Attack = 2, Collect = 3, Carry = 4, Done = 99 };

class HuntTask : public AsyncPedTask {
public:
    HuntTask(Ped hunter, bool carry, float searchRange, float roamRadius, Ped prey);
    ~HuntTask() override;

    bool isFinished() override;
    void step() override;

    // Night has fallen: the hunt is over, unless the hunter already has a kill
    // to bring home (he then carries it back first).
    void callOff();

    HuntState getState() const { return state; }
    Ped getPrey() const { return prey; }
    // A search that finds no animal to stalk for this long ends the hunt: the
    // hunter goes back to camp empty-handed.
    static constexpr int searchGiveUpMs = 180000;

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
    bool hasAKill() const;

    bool carry;
    float searchRange;
    float roamRadius;
    Ped prey;
    HuntState state = HuntState::Roam;
    // When the present search began (the game's timer); -1 while not searching.
    int searchingSinceMs = -1;
    // With the debug tools on, the prey being stalked is shown on the map.
    Blip preyBlip;
};

} // namespace drovil
