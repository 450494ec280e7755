#pragma once
// Facts about the player that every part of the frame asks for (his index, his
// position, whether the law is after him): read from the game the first time
// they are needed after a yield and reused until the next one, since nothing
// the game keeps changes while the script runs. The plug-in never moves the
// player itself; code that ever does must call forgetFrameReads() after it.
#include "runtime/host_api.h"
#include "runtime/types.h"

#include <cstdint>

namespace drovil {

PlayerIndex playerIndex();
// The player ped's position (the frame's playerPed()).
Vector3 playerPosition();
// A law incident against the player is under way (he is wanted).
bool playerWanted();
// The entity the player targets: locked on to with a weapon, or focused on
// unarmed (as when he greets someone); a null entity for none.
Entity playerTargetEntity();
// The zone of the given kind at the player's position; 0 outside any.
Hash playerZone(int zoneKind);

// The game's "a mission is running" flag (a story mission or one of ours),
// and setting it: the cached value follows the plug-in's own change.
bool gameMissionFlag();
void setGameMissionFlag(bool on);

// An entity's position and whether a ped is dead, for the entities several
// parts of the frame ask about (a camp's guards, the target). Only for code
// that does not move or kill the entity itself in the same frame.
Vector3 entityPosition(Entity entity);
bool entityDead(Ped ped);
// Whether a ped is running from danger, lies hogtied, and whether he is
// fighting the player: tasks the plug-in gives take effect in the game's next
// update, not at once.
bool pedFleeing(Ped ped);
bool pedHogtied(Ped ped);
bool pedFightingPlayer(Ped ped);

// The game's millisecond timer: it moves on between frames, not within one.
int gameTimerMs();

// How many events wait in an event group this frame: the game's queue holds
// the frame's events, read by the engine and the menu alike.
int queuedEventCount(int group);

void forgetFrameReads();

// One value read from the game at most once between two yields: the first
// get() after a yield fetches it, the others reuse it.
template <class T> class PerYield {
public:
    template <class Fetch> const T& get(Fetch fetch) {
        const std::uint64_t now = yieldCount();
        if (readAt_ != now) {
            value_ = fetch();
            readAt_ = now;
        }
        return value_;
    }
    void forget() { readAt_ = ~std::uint64_t{0}; }

private:
    T value_{};
    std::uint64_t readAt_ = ~std::uint64_t{0};
};

} // namespace drovil
