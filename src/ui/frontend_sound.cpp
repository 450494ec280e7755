#include "ui/frontend_sound.h"

#include "runtime/natives.h"

namespace drovil {

void playFrontendSound(const char* sound, const char* soundSet) {
    natives::audio::stopSoundWithName(sound, soundSet);
    natives::audio::playSoundFrontend(sound, soundSet, true, 0);
}

} // namespace drovil
