#pragma once
// The weather as the game reports it to scripts. It holds still unless a test or
// a scenario changes it: a calm, dry day by default.
namespace sim {

struct Weather {
    // The game's wind speed; a breeze is a few units, a storm reaches 20 and more.
    float windSpeed = 2.0f;
    // How hard it rains, 0 dry to 1 a downpour.
    float rainLevel = 0.0f;
};

} // namespace sim
