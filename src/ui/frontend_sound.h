#pragma once
// Menu sounds: a named sound of one of the game's frontend sound sets.

namespace drovil {

// Plays `sound` of `soundSet` for the player, ending the same sound first if it
// is still playing, so quick presses never pile up.
void playFrontendSound(const char* sound, const char* soundSet);

} // namespace drovil
