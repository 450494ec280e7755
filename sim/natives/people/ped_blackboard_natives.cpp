// Named values on a ped's blackboard (the game's animations, prompts and senses
// read them); the game keeps "FoliageHeight" up to date itself.
#include "natives/families.h"

#include <cstdint>
#include <cstring>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
std::uint64_t keptUntil(const World& world, int removeTimer) {
    return removeTimer < 0 ? 0 : world.clock.elapsedMs + static_cast<std::uint64_t>(removeTimer) + 1;
}
} // namespace

void implementPedBlackboardNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::ped::setBlackboardBool>([&world](Ped ped, const char* name, bool value, int) {
        if (EntityRecord* record = world.entities.find(ped.id); record && name)
            record->blackboard[name] = value;
    });
    dispatch.implement<n::ped::setBlackboardFloat>([&world](Ped ped, const char* name, float value, int removeTimer) {
        if (EntityRecord* record = world.entities.find(ped.id); record && name)
            record->blackboardFloats[name] = {value, keptUntil(world, removeTimer)};
    });
    // 0 for a name never set or no longer kept.
    dispatch.implement<n::ped::blackboardFloat>([&world](Ped ped, const char* name) {
        const EntityRecord* record = world.entities.find(ped.id);
        if (!record || !name)
            return 0.0f;
        if (std::strcmp(name, "FoliageHeight") == 0)
            return world.perception.foliageValueAt(record->position);
        auto found = record->blackboardFloats.find(name);
        if (found == record->blackboardFloats.end() ||
            (found->second.untilMs != 0 && world.clock.elapsedMs >= found->second.untilMs))
            return 0.0f;
        return found->second.value;
    });
}

} // namespace sim
