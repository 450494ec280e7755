#pragma once
// The debug tools' contract keys, run from the debug frame after the other
// debug keys: F3 plays a camp contract of its own outside the engine, Z shows a freshly generated contract on the card without it ever
// joining the game, X releases the nearest area's blocked mission at once, and
// K puts an outlaw in front of the player to try the honour and loot rules on.
// Script thread only, and only while the debug tools are on.

namespace drovil {

// F3 (114): the debug camp. The first press builds a camp contract near the
// nearest map area's camp spot and runs it outside the engine; the next press
// cleans it up. While it exists it is updated every frame F3 is not released.
void runDebugCampKey();

// Z (90): a mission of a random template for the nearest map area, shown on the
// contract card; it is neither registered with the engine nor saved.
void runDebugMissionCardKey();

// X (88): unblocks the executor of the mission in play in the nearest map area.
void runDebugUnblockKey();

// K (75): spawns a criminal 5 m ahead of the player. The aimed-entity step of
// the debug frame swallows K first while the player aims or is locked on.
void runDebugSpawnCriminalKey();

// F3, Z, X and K, in that order.
void runDebugContractKeys();

} // namespace drovil
