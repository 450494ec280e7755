#pragma once
// The cash changes the game has shown (the money icon with the amount beside it).
#include <cstdint>
#include <string>

namespace sim {

struct CashChangeShown {
    std::uint64_t frame = 0;
    std::string amountText; // always the magnitude, e.g. "$140.00"
    std::uint32_t colour = 0;
    std::uint32_t textureDictionary = 0;
    std::uint32_t texture = 0;
    bool iconInGame = true; // an icon the game does not have shows none
    int durationMs = 0;
};

} // namespace sim
