#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPlayerNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::player::playerPed>([&world]() { return Ped(world.player.pedId); });
    dispatch.implement<n::player::playerIndex>([&world]() { return PlayerIndex(world.player.index); });
    dispatch.implement<n::player::targetEntity>([&world](PlayerIndex, Entity* out) {
        if (world.player.aimedEntity == 0 || !world.entities.exists(world.player.aimedEntity))
            return false;
        if (out)
            out->id = world.player.aimedEntity;
        return true;
    });
    dispatch.implement<n::player::freeAimEntity>([&world](PlayerIndex, Entity* out) {
        if (world.player.lockedOnPed == 0 || !world.entities.exists(world.player.lockedOnPed))
            return false;
        if (out)
            out->id = world.player.lockedOnPed;
        return true;
    });
    // The same protection is given to other peds (the portrait's clone); only the player's is tracked.
    dispatch.implement<n::entity::setInvincible>([&world](Entity ped, bool on) {
        if (ped.id == world.player.pedId)
            world.player.debugProtection = on;
    });
    dispatch.implement<n::player::setMaxWantedLevel>([&world](int) { ++world.player.debugResetCalls; });
    dispatch.implement<n::pedshot::isAvailable>([&world]() { return world.debugNumber; });
}

} // namespace sim
