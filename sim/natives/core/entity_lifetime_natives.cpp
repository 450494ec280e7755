// Deleting an entity a script owns, and boolean decorators.
#include "natives/families.h"
#include "world/vehicles/traffic.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementEntityLifetimeNatives(NativeDispatch& dispatch, World& world) {
    // Only a mission entity goes (never the player); the handle is cleared either way.
    dispatch.implement<n::entity::deleteEntity>([&world](Entity* entity) {
        if (!entity)
            return;
        const EntityRecord* record = world.entities.find(entity->id);
        if (record && record->missionEntity && entity->id != world.player.pedId)
            world.removeEntity(entity->id);
        entity->id = 0;
    });
    // A boolean decorator is kept as an integer one of 0 or 1.
    dispatch.implement<n::decorator::setBool>([&world](Entity entity, const char* name, bool value) {
        EntityRecord* record = world.entities.find(entity.id);
        if (!record || !name)
            return false;
        record->decorators[name] = value ? 1 : 0;
        return true;
    });
}

} // namespace sim
