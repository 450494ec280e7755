#pragma once
// Making a ped say one of the game's speech lines.
#include "runtime/types.h"

#include <cstdint>

namespace drovil {

// The game's speech parameters used for every line the plug-in plays.
inline constexpr std::uint32_t speechParamsHash = 0x67F3AB43;

// Says `line` (a game speech line name, kept alive by the caller: a string
// literal) in the ped's own voice, in the line's variation `variation` (the
// game's first is 1), unless the ped is already talking: a line asked for
// while the ped speaks is dropped, so lines never cut each other off.
void playSpeech(Ped ped, const char* line, int variation = 1);

// True while the ped is saying something.
bool isSpeaking(Ped ped);

} // namespace drovil
