// The local player: ped and index, what he targets and what he free-aims at,
// and the law's cap on his wanted level.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
bool report(const World& world, int entity, Entity* out) {
    if (entity == 0 || !world.entities.exists(entity))
        return false;
    if (out)
        out->id = entity;
    return true;
}
} // namespace

void implementPlayerNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::player::playerPed>([&world]() { return Ped(world.player.pedId); });
    dispatch.implement<n::player::playerIndex>([&world]() { return PlayerIndex(world.player.index); });
    // The entity the player targets: locked on with a weapon, or focused on
    // unarmed (as when he speaks to someone).
    dispatch.implement<n::player::targetEntity>(
        [&world](PlayerIndex, Entity* out) { return report(world, world.player.targetEntity, out); });
    dispatch.implement<n::player::freeAimEntity>(
        [&world](PlayerIndex, Entity* out) { return report(world, world.player.freeAimEntity, out); });
    dispatch.implement<n::player::setMaxWantedLevel>([&world](int level) {
        world.player.maxWantedLevel = level;
        ++world.player.maxWantedLevelSets;
    });
}

} // namespace sim
