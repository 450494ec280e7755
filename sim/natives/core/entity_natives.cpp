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
}

} // namespace sim
