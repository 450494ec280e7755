// Sending peds into fights, the weapons they carry and select, and whether a
// ped is firing.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementCombatNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::combat::fightTarget>(
        [&world](Ped ped, Ped target, int, int) { world.combat.startFight(world, ped.id, target.id); });
    dispatch.implement<n::combat::bestWeapon>([&world](Ped ped, int, int) {
        if (!world.entities.exists(ped.id))
            return static_cast<Hash>(Weapons::unarmed());
        return static_cast<Hash>(world.weapons.best(world, ped.id));
    });
    // Only a weapon the ped carries can be selected.
    dispatch.implement<n::combat::holdWeapon>([&world](Ped ped, Hash weapon, bool, int, int, int) {
        if (world.entities.exists(ped.id) && world.names.inGame(NameKind::Weapon, weapon, "to hold"))
            world.weapons.select(world, ped.id, weapon);
    });
    dispatch.implement<n::combat::isShooting>(
        [&world](Ped ped) { return world.combat.isShooting(ped.id, world.clock.elapsedMs); });
}

} // namespace sim
