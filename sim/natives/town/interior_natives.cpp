// Interiors: the one an entity stands in, and where an interior is.
#include "natives/families.h"
#include "world/town/interiors.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementInteriorNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::interior::ofEntity>([&world](Entity entity) {
        const EntityRecord* record = world.entities.find(entity.id);
        return record ? Interiors::at(record->position) : 0;
    });
    // The game has no position for interior 0 (outside) or an unknown one: (0, 0, 0).
    dispatch.implement<n::interior::position>([](int interior) {
        const Interior* room = Interiors::find(interior);
        return room ? room->position : Vector3();
    });
}

} // namespace sim
