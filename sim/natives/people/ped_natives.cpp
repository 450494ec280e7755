#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPedNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::ped::setConfigFlag>([&world](Ped ped, int flag, bool value) {
        if (EntityRecord* record = world.entities.find(ped.id))
            record->configFlags[flag] = value;
    });
    dispatch.implement<n::ped::blockNonTemporaryEvents>([&world](Ped ped, bool on) {
        if (EntityRecord* record = world.entities.find(ped.id))
            record->activityStopped = on;
    });
    dispatch.implement<n::ped::currentWeapon>([&world](Ped ped, Hash* out, bool, int, bool) {
        const Hash weapon = ped.id == world.player.pedId ? world.player.currentWeapon : gameHash("WEAPON_UNARMED");
        if (out)
            *out = weapon;
        return true;
    });
}

} // namespace sim
