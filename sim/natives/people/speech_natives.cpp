// Peds talking: the speech request record and whether a ped is speaking.
#include "natives/families.h"

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
    // The record's seven 8-byte slots: line name, voice name (0 for the ped's
    // own), variation, speech parameters hash, listener ped, and two flags.
    dispatch.implement<n::speech::say>([&world](Ped ped, const std::uint64_t* request) {
        if (!request || !canSpeak(world, ped.id))
            return;
        SpokenLine line;
        line.line = GameStrings::read(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(request[0])));
        line.voice =
            GameStrings::read(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(request[1])));
        line.variation = request[2];
        line.params = static_cast<std::uint32_t>(request[3]);
        line.listener = static_cast<int>(static_cast<std::uint32_t>(request[4]));
        world.speech.say(ped.id, line, world.clock.frame);
    });
}

} // namespace sim
