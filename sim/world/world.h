#pragma once
// The simulated game world: everything the simulated natives read and change.
#include "world/clock.h"
#include "world/entities.h"
#include "world/hud.h"
#include "world/player_state.h"
#include "world/strings.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace sim {

struct World {
    explicit World(std::uint32_t seed);

    Clock clock;
    Hud hud;
    GameStrings strings;
    Entities entities;
    PlayerState player;
    std::vector<std::string> registeredDecorators; // in registration order
    std::mt19937 random;
    int debugNumber = 0; // what the game reports to the debug overlay

    // One step of the world, before the scripts run in a frame.
    void beginFrame();

    EntityRecord& playerPed();
    bool decoratorRegistered(const std::string& name) const;
};

} // namespace sim
