#pragma once
// Putting things in front of the player: text drawn for one frame, subtitles,
// and the game's hash of a name.
#include "runtime/types.h"

#include <string>

namespace drovil {

// The game's 32-bit hash of a name (models, controls, textures, weapons).
Hash getHashKey(const char* name);
inline Hash getHashKey(const std::string& name) { return getHashKey(name.c_str()); }

// A copy of `text` with every '@' turned into a line break.
std::string expandLineBreaks(const std::string& text);

// Draws `text` for the current frame at (x, y), screen fractions from the top left.
void drawText(const std::string& text, float x, float y, int red, int green, int blue, int alpha, bool centred,
              float scaleX, float scaleY, const char* font);

// The game's text of an amount of money, such as "$12.50" for 1250 cents.
std::string cashText(int cents);

// Shows a one-line message in the subtitle area at once.
void showSubtitle(const std::string& text);

// Debugging aids: an integer in the top-left corner, a float as a subtitle.
void drawIntegerOverlay(int value);
void showFloatSubtitle(float value);

} // namespace drovil
