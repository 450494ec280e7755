// What saloon contracts read and make the game do: how drunk a ped is, its
// answers to the player's greetings and provocations, whether it is fatally
// injured, the weapons given to it and the melee moves it makes on another.
#include "natives/families.h"
#include "world/people/ped_tasks.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementSaloonNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::ped::setDrunkenness>([&world](Ped ped, bool enabled, float level) {
        if (world.entities.exists(ped.id))
            world.traits.setDrunkenness(ped.id, enabled, level);
    });
    dispatch.implement<n::ped::drunkenness>([&world](Ped ped) {
        return world.entities.exists(ped.id) ? world.traits.drunkennessOf(ped.id) : 0.0f;
    });
    dispatch.implement<n::ped::respondingToPositiveInteraction>([&world](Ped ped, PlayerIndex) {
        return world.interactions.respondingPositively(ped.id, world.clock.elapsedMs);
    });
    dispatch.implement<n::ped::respondingToNegativeInteraction>([&world](Ped ped, PlayerIndex) {
        return world.interactions.respondingNegatively(ped.id, world.clock.elapsedMs);
    });
    // Health below the threshold where a ped dies; a handle that is no ped counts as fatally injured.
    dispatch.implement<n::ped::isFatallyInjured>([&world](Ped ped) {
        const EntityRecord* record = world.entities.find(ped.id);
        return !record || record->kind != EntityKind::Ped || !record->alive || world.combat.health(ped.id) <= 0;
    });
    dispatch.implement<n::weapon::pedHasWeapon>([&world](Ped ped, Hash weapon, int, bool) {
        return world.names.inGame(NameKind::Weapon, weapon, "asked after") && world.entities.exists(ped.id) &&
               world.weapons.carries(world, ped.id, weapon);
    });
    // A weapon the game does not have cannot be given.
    dispatch.implement<n::weapon::giveDelayedWeapon>([&world](Ped ped, Hash weapon, int ammo, bool, Hash) {
        if (!world.names.inGame(NameKind::Weapon, weapon, "to give") || !world.entities.exists(ped.id))
            return;
        world.weapons.give(world, ped.id, weapon);
        if (ammo > 0)
            world.weapons.of(world, ped.id).ammoForWeapon[weapon] += ammo;
    });
    dispatch.implement<n::task::melee>([&world](Ped ped, Ped victim, Hash action, int, int, float, int, float) {
        if (ped.id != 0 && !world.entities.exists(ped.id))
            return false;
        TaskStep step;
        step.kind = TaskKind::Melee;
        step.scriptTask = gameHash("SCRIPT_TASK_MELEE");
        step.target = victim.id;
        step.scenario = action;
        step.durationMs = -1;
        resolveTaskTarget(world, step);
        world.tasks.give(ped.id, step, world.clock.elapsedMs);
        return true;
    });
}

} // namespace sim
