// Placing and showing an entity the script created: heading, frozen position,
// visibility.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementEntityPlacementNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::entity::setHeading>([&world](Entity entity, float heading) {
        if (EntityRecord* record = world.entities.find(entity.id))
            record->heading = heading;
    });
    dispatch.implement<n::entity::freezePosition>([&world](Entity entity, bool frozen) {
        if (EntityRecord* record = world.entities.find(entity.id))
            record->frozen = frozen;
    });
    dispatch.implement<n::entity::setVisible>([&world](Entity entity, bool visible) {
        if (EntityRecord* record = world.entities.find(entity.id))
            record->visible = visible;
    });
}

} // namespace sim
