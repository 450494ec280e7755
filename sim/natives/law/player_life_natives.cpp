// The player's death, what he free-aims at, and Eagle Eye tracking.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPlayerLifeNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::player::isDead>([&world](PlayerIndex) { return world.player.dead; });
    // Free aim only: a lock-on (or an unarmed focus) on the entity does not count.
    dispatch.implement<n::player::isFreeAimingAt>([&world](PlayerIndex, Entity target) {
        return target.id != 0 && world.entities.exists(target.id) && world.player.freeAimEntity == target.id;
    });
    dispatch.implement<n::player::trackWithEagleEye>([&world](PlayerIndex, Ped ped, bool on) {
        if (world.entities.exists(ped.id))
            world.scenePeds.of(ped.id).eagleEyeTracked = on;
    });
}

} // namespace sim
