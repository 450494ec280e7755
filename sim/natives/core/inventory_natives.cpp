#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementInventoryNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::inventory::addAmmoForWeapon>([&world](Ped ped, Hash item, int count, Hash reason) {
        if (ped.id == world.player.pedId)
            world.player.items.push_back({item, count, reason});
    });
    dispatch.implement<n::inventory::addAmmoOfType>([&world](Ped ped, Hash ammo, int count, Hash reason) {
        if (ped.id == world.player.pedId)
            world.player.ammo.push_back({ammo, count, reason});
    });
}

} // namespace sim
