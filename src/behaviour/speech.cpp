#include "behaviour/speech.h"

#include "runtime/natives.h"

#include <cstdint>

namespace drovil {

bool isSpeaking(Ped ped) {
    return natives::speech::isSpeaking(ped);
}

void playSpeech(Ped ped, const char* line, int variation) {
    if (isSpeaking(ped))
        return;
    // The game's speech record: eight 8-byte slots, of which we fill seven;
    // the game reads all eight, so the last is there and zero. Slot 1 is the
    // voice's name (none: the ped's own voice), slot 2 the variation.
    std::uint64_t request[8] = {};
    request[0] = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(line));
    request[1] = 0;
    request[2] = static_cast<std::uint64_t>(static_cast<std::uint32_t>(variation));
    request[3] = speechParamsHash;
    request[4] = static_cast<std::uint64_t>(static_cast<std::uint32_t>(ped.id));
    request[5] = 1;
    request[6] = 1;
    natives::speech::say(ped, request);
}

} // namespace drovil
