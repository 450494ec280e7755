#pragma once
// Lassos and hogties, as the game has them. A ped caught in a lasso is roped:
// he stands struggling, neither fleeing nor fighting, until he is hogtied or
// works the rope off (a few seconds). A lassoed or knocked-out ped can be
// hogtied by someone next to him, which takes a moment; hogtied, he lies bound
// (the entity's `hogtied`), comes to if he was knocked out, and, left long
// enough on the ground or across a horse, struggles free; on a man's shoulder
// he is held too tight for that. Anyone next to a hogtied ped who is not on a
// shoulder can cut him loose. Loose again, a ped with a gun fights whoever tied
// him, one without runs from him.
//
// Roping and tying a ped is an attack in the law's eyes (world/law/law.h).
#include <cstdint>
#include <map>

namespace sim {

struct World;
struct PedActivity;
struct TaskStep;

// One frame of a ped's cut-loose task: up to the hogtied ped at a run, then a
// moment's work with a knife; he waits beside him while the man is on someone's
// shoulder. Over once the man is loose (by his hand or otherwise).
bool runCutLooseStep(World& world, int ped, PedActivity& activity, const TaskStep& step);

class Restraints {
public:
    // A lasso reaches this far; hands reach this far (tying, cutting loose).
    static constexpr float lassoRange = 20.0f;
    static constexpr float handsReach = 1.5f;
    // Roped but not tied, a ped is loose again after this long.
    static constexpr std::uint64_t lassoHoldMs = 10'000;
    // Tying a ped up, and cutting one loose, take this long.
    static constexpr std::uint64_t hogtieMs = 2500;
    static constexpr std::uint64_t cutLooseMs = 2000;
    // A hogtied ped works himself free after this long on the ground or on a
    // horse (drawn once per hogtie from the range).
    static constexpr int escapeMinMs = 150'000;
    static constexpr int escapeMaxMs = 270'000;

    // The thrower's lasso catches the ped (within range, alive, on his feet,
    // not already roped or tied); true when it did. A rider is pulled off his
    // horse or his seat.
    bool lasso(World& world, int thrower, int ped);
    // Starts tying up a lassoed or knocked-out ped within reach; true when begun.
    bool startHogtie(World& world, int tier, int ped);
    // Cuts a hogtied ped loose at once (a script's cut-free task calls it once
    // its rescuer has done the work).
    void cutLoose(World& world, int ped);

    bool isLassoed(int ped) const;
    bool isBeingHogtied(int ped) const;
    // Who holds him: the lassoer, the one tying him or the one who tied him.
    int heldBy(int ped) const;
    // Seconds until a hogtied ped breaks free (-1 never, 0 when not hogtied).
    float escapeSeconds(int ped) const;
    void setEscapeSeconds(int ped, float seconds);
    // On a shoulder: a carrier that is a person, not a horse.
    static bool onShoulder(const World& world, int ped);

    // One frame: ropes worked loose, hogties finished, bound peds struggling.
    void step(World& world);
    // The ped is gone from the world.
    void forget(int ped) { holds_.erase(ped); }

private:
    enum class State { Lassoed, BeingTied, Tied };
    struct Hold {
        State state = State::Lassoed;
        int by = 0;
        std::uint64_t sinceMs = 0;
        std::int64_t escapeLeftMs = 0; // Tied: -1 never
    };
    void tie(World& world, int ped, Hold& hold);
    // Loose again: fights or runs.
    void free(World& world, int ped, int from);

    std::map<int, Hold> holds_;
};

} // namespace sim
