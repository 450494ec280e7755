// What the plug-in asks of a ped before it deals with it: its model, and
// whether it is dead or running away.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPedConditionNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::entity::model>([&world](Entity entity) {
        const EntityRecord* record = world.entities.find(entity.id);
        return record ? record->model : Hash(0);
    });
    dispatch.implement<n::ped::isDead>([&world](Ped ped, bool) {
        // A handle that no longer exists counts as dead, as in the game.
        const EntityRecord* record = world.entities.find(ped.id);
        return record == nullptr || !record->alive;
    });
    // Fleeing only: a hogtied ped lies bound and does not flee, a dead one
    // (an animal shot as it bolted) runs no more.
    dispatch.implement<n::ped::isFleeing>([&world](Ped ped) {
        const EntityRecord* record = world.entities.find(ped.id);
        return record && record->alive && (world.fleeing.isFleeing(ped.id, world.clock.elapsedMs) ||
                                           world.wildlife.isFleeing(ped.id, world.clock.elapsedMs));
    });
}

} // namespace sim
