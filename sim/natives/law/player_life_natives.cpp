// The player's death, what the player aims at, and Eagle Eye tracking.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPlayerLifeNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::player::isDead>([&world](PlayerIndex) { return world.player.dead; });
    // Free aim at the entity or a lock-on to it both count.
    dispatch.implement<n::player::isFreeAimingAt>([&world](PlayerIndex, Entity target) {
        if (target.id == 0 || !world.entities.exists(target.id))
            return false;
        return world.player.aimedEntity == target.id || world.player.lockedOnPed == target.id;
    });
    dispatch.implement<n::player::trackWithEagleEye>([&world](PlayerIndex, Ped ped, bool on) {
        if (world.entities.exists(ped.id))
            world.scenePeds.of(ped.id).eagleEyeTracked = on;
    });
}

} // namespace sim
