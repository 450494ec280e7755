#pragma once
// The records the game reads when it shows a change of the player's cash (the
// money icon with the amount beside it). Every field sits in its own 8-byte
// slot, as in the game's other notification records.
#include <cstdint>

namespace drovil {

struct CashChangeDuration {
    alignas(8) std::int32_t durationMs = 0;
};

struct CashChangeContent {
    alignas(8) std::int32_t unused = 0;
    alignas(8) const char* amountText = nullptr; // game string of the amount, always positive
    alignas(8) std::uint32_t colour = 0;         // hash of the amount's colour
    alignas(8) std::uint32_t textureDictionary = 0;
    alignas(8) std::uint32_t texture = 0;
};

} // namespace drovil
