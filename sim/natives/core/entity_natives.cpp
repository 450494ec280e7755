// Entities: where they are and which way they face, what they are (a ped at
// all, a mission entity), a script taking one over, collision and invincibility.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementEntityNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::entity::position>([&world](Entity entity, bool, bool) {
        const EntityRecord* record = world.entities.find(entity.id);
        return record ? record->position : Vector3();
    });
    dispatch.implement<n::entity::heading>([&world](Entity entity) {
        const EntityRecord* record = world.entities.find(entity.id);
        return record ? record->heading : 0.0f;
    });
    dispatch.implement<n::entity::forwardVector>([&world](Entity entity) {
        const EntityRecord* record = world.entities.find(entity.id);
        return record ? forwardOf(record->heading) : Vector3();
    });
    dispatch.implement<n::entity::isPed>([&world](Entity entity) {
        const EntityRecord* record = world.entities.find(entity.id);
        return record != nullptr && record->kind == EntityKind::Ped;
    });
    dispatch.implement<n::entity::isMissionEntity>([&world](Entity entity) {
        const EntityRecord* record = world.entities.find(entity.id);
        return record != nullptr && record->missionEntity;
    });
    // The script takes the entity over: the game leaves it where it is, for good.
    dispatch.implement<n::entity::setAsMissionEntity>([&world](Entity entity, bool, bool) {
        if (EntityRecord* record = world.entities.find(entity.id))
            record->missionEntity = true;
    });
    dispatch.implement<n::entity::setCollision>([&world](Entity entity, bool on, bool) {
        EntityRecord* record = world.entities.find(entity.id);
        if (!record)
            return;
        record->collision = on;
        if (!on)
            world.portraits.collisionOff(entity.id);
    });
    dispatch.implement<n::entity::setInvincible>([&world](Entity entity, bool on) {
        if (EntityRecord* record = world.entities.find(entity.id))
            record->invincible = on;
    });
}

} // namespace sim
