#pragma once
// Facts about the player that every part of the frame asks for (his index, his
// position, whether the law is after him): read from the game the first time
// they are needed after a yield and reused until the next one, since nothing
// the game keeps changes while the script runs. The plug-in never moves the
// player itself; code that ever does must call forgetFrameReads() after it.
#include "runtime/types.h"

namespace drovil {

PlayerIndex playerIndex();
// The player ped's position (the frame's playerPed()).
Vector3 playerPosition();
// A law incident against the player is under way (he is wanted).
bool playerWanted();
// The zone of the given kind at the player's position; 0 outside any.
Hash playerZone(int zoneKind);

void forgetFrameReads();

} // namespace drovil
