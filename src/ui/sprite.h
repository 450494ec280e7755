#pragma once
// Texture sprites drawn for one frame, and the texture dictionaries they live in.

namespace drovil {

// Draws `texture` of `dictionary` for the current frame with its top-left
// corner at (left, top); sizes and position are screen fractions.
void drawSprite(const char* dictionary, const char* texture, float left, float top, float width, float height,
                float rotation, int red, int green, int blue, int alpha);

// Asks whether `dictionary` is loaded up to `tries` times, requesting it and
// waiting `waitMs` between tries (the script thread yields meanwhile). True
// once it is loaded; false when it still is not after the last try.
bool loadTextureDictionary(const char* dictionary, int tries, int waitMs);

} // namespace drovil
