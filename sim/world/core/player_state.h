#pragma once
// The local player as the game sees it.
#include <cstdint>
#include <vector>

namespace sim {

struct InventoryGrant {
    std::uint32_t item = 0;
    int count = 0;
    std::uint32_t reason = 0;
};

struct PlayerState {
    int pedId = 0;
    int index = 0;
    bool debugProtection = false;
    int debugResetCalls = 0;
    std::uint32_t currentWeapon = 0; // set to the unarmed hash when the world is made
    int aimedEntity = 0;             // 0: not aiming at anything
    int lockedOnPed = 0;             // 0: not locked on
    std::vector<InventoryGrant> items;
    std::vector<InventoryGrant> ammo;
    // Money in cents, the player's own bounty in dollars and the law's interest.
    int cashCents = 0;
    int bounty = 0;
    bool wanted = false;
    // False while the game has taken control of the player (a cutscene, a menu).
    bool hasControl = true;
    // The player has been killed (the game has not yet respawned the player).
    bool dead = false;
};

} // namespace sim
