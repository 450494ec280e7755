// Sending peds into fights, the weapons they hold, and whether a ped is firing.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementCombatNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::combat::fightTarget>(
        [&world](Ped ped, Ped target, int, int) { world.combat.startFight(world, ped.id, target.id); });
    // A ped's best weapon: the one it was made to hold, else the revolver every
    // armed ped of the game carries. The player's is what he has in hand.
    dispatch.implement<n::combat::bestWeapon>([&world](Ped ped, int, int) {
        if (ped.id == world.player.pedId)
            return static_cast<Hash>(world.player.currentWeapon);
        const PedCombat* fight = world.combat.find(ped.id);
        if (fight && fight->weaponInHand != 0)
            return static_cast<Hash>(fight->weaponInHand);
        return static_cast<Hash>(gameHash("WEAPON_REVOLVER_CATTLEMAN"));
    });
    dispatch.implement<n::combat::holdWeapon>([&world](Ped ped, Hash weapon, bool, int, int, int) {
        if (!world.entities.exists(ped.id))
            return;
        world.combat.of(ped.id).weaponInHand = weapon;
        if (ped.id == world.player.pedId)
            world.player.currentWeapon = weapon;
    });
    dispatch.implement<n::task::panicExitScenario>([&world](Ped ped, Vector3 point) {
        if (!world.entities.exists(ped.id))
            return;
        PedCombat& fight = world.combat.of(ped.id);
        fight.anchored = true;
        fight.anchor = point;
    });
    dispatch.implement<n::combat::isShooting>(
        [&world](Ped ped) { return world.combat.isShooting(ped.id, world.clock.elapsedMs); });
}

} // namespace sim
