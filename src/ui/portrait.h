#pragma once
// The target's photograph on the contract card. The target does not exist in
// the world before its contract runs, so a temporary clone of its model and
// outfit is made out of the player's sight, photographed by the game into a
// numbered texture slot and deleted again. The photo is then addressed by the
// texture name the game gives for the slot.
#include "runtime/types.h"

namespace drovil {

// The slot and photo type every contract card uses.
inline constexpr int portraitSlot = 2;
inline constexpr int portraitPhotoType = 1;

// Makes the photograph of a ped of `model` dressed in outfit preset `outfit`.
// Blocks the script thread frame by frame: first until the model has loaded (no
// time limit), then for at most about `budgetMs`. False when the photo could not
// be made in time; every step and failure is logged.
bool requestPortrait(Hash model, int outfit, int budgetMs, int slot, int type);

// The game's texture name for the photo of (slot, type), used both as texture
// dictionary and texture name; null or empty while there is none.
const char* portraitTextureName(int slot, int type);

} // namespace drovil
