// Sending peds into fights, the weapons they carry and select, and whether a
// ped is firing.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementCombatNatives(NativeDispatch& dispatch, World& world) {
    // The fight is the ped's script task until the foe is down or the ped is
    // given something else.
    dispatch.implement<n::combat::fightTarget>([&world](Ped ped, Ped target, int, int) {
        world.combat.startFight(world, ped.id, target.id);
        const EntityRecord* record = world.entities.find(ped.id);
        if (record && record->combatOpponent == target.id)
            world.tasks.assignScriptTask(ped.id, gameHash("SCRIPT_TASK_COMBAT"), TaskRunner::Combat, target.id);
    });
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
