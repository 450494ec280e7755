#include "ui/sprite.h"

#include "runtime/host_api.h"
#include "runtime/natives.h"

namespace drovil {

void drawSprite(const char* dictionary, const char* texture, float left, float top, float width, float height,
                float rotation, int red, int green, int blue, int alpha) {
    // The game places sprites by their centre.
    natives::hud::drawSprite(dictionary, texture, left + width * 0.5f, top + height * 0.5f, width, height,
                             rotation, red, green, blue, alpha, true);
}

bool loadTextureDictionary(const char* dictionary, int tries, int waitMs) {
    for (int attempt = 0; attempt < tries; ++attempt) {
        if (natives::hud::textureDictionaryLoaded(dictionary))
            return true;
        natives::hud::requestTextureDictionary(dictionary, false);
        scriptWait(static_cast<unsigned>(waitMs));
    }
    return false;
}

} // namespace drovil
