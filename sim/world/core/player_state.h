#pragma once
// The local player as the game sees it.
#include <cstdint>
#include <vector>

namespace sim {

struct PlayerState {
    int pedId = 0;
    int index = 0;
    // What the player points at: the entity he free-aims at through his sights,
    // and the one he targets (locked on with a weapon, or focused on unarmed,
    // as when he talks to someone). 0 for none.
    int freeAimEntity = 0;
    int targetEntity = 0;
    // Money in cents, the bounty on the player's head in cents, and whether a
    // law incident about him is under way (a crime seen or reported).
    int cashCents = 0;
    int bountyCents = 0;
    bool wanted = false;
    // The highest wanted level the law may give the player (a script's cap).
    int maxWantedLevel = 5;
    int maxWantedLevelSets = 0; // how often a script set the cap
    // False while the game has taken control of the player (a cutscene, a menu).
    bool hasControl = true;
    // The player has been killed (the game has not yet respawned the player).
    bool dead = false;
    // The last frame in which a script kept witnesses of the player's crimes
    // from going to the law (0: never).
    std::uint64_t witnessesHushedFrame = 0;
};

} // namespace sim
