// Peds talking: the speech request record and whether a ped is speaking.
#include "natives/families.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
bool canSpeak(const World& world, int ped) {
    const EntityRecord* record = world.entities.find(ped);
    return record != nullptr && record->kind == EntityKind::Ped && record->alive && !record->knockedOut;
}
} // namespace

void implementSpeechNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::speech::isSpeaking>([&world](Ped ped) {
        if (!canSpeak(world, ped.id)) {
            world.speech.silence(ped.id, world.clock.frame);
            return false;
        }
        return world.speech.speaking(ped.id, world.clock.frame);
    });
    // The record is eight 8-byte slots: line name, voice name (0 for the
    // ped's own), variation, speech parameters hash, listener ped, sync flag
    // and two more. The game takes the whole record in, and so does this.
    dispatch.implement<n::speech::say>([&world](Ped ped, const std::uint64_t* request) {
        if (!request)
            return;
        std::uint64_t record[8];
        std::copy(request, request + 8, record);
        // The game reads slot 1 as the voice's name: a small number there is no
        // name, and the game would read through it to nowhere.
        if (record[1] != 0 && record[1] < 0x10000) {
            std::fprintf(stderr,
                         "\n*** simulator: the speech record's slot 1 (the voice's name) holds %llu, not a name "
                         "***\n",
                         static_cast<unsigned long long>(record[1]));
            std::fflush(stderr);
            std::abort();
        }
        if (!canSpeak(world, ped.id))
            return;
        SpokenLine line;
        line.line = GameStrings::read(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(record[0])));
        line.voice = GameStrings::read(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(record[1])));
        line.variation = record[2];
        line.params = static_cast<std::uint32_t>(record[3]);
        line.listener = static_cast<int>(static_cast<std::uint32_t>(record[4]));
        // A line the game does not have is not said: the ped stays silent.
        if (!world.names.inGame(NameKind::Speech, line.line, "as a speech line"))
            return;
        world.speech.say(ped.id, line, world.clock.frame);
    });
}

} // namespace sim
