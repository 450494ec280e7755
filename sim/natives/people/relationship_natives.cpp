#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementRelationshipNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::relationship::createGroup>([&world](int) { return world.relationships.create(); });
    dispatch.implement<n::relationship::setGroupSetting>(
        [&world](Hash group, int setting) { world.relationships.setSetting(group, setting); });
    dispatch.implement<n::relationship::setPedGroup>([&world](Ped ped, Hash group) {
        if (world.entities.exists(ped.id))
            world.relationships.place(ped.id, group);
    });
    dispatch.implement<n::relationship::setPedGroupAlt>([&world](Ped ped, Hash group, bool) {
        if (world.entities.exists(ped.id))
            world.relationships.place(ped.id, group);
    });
    dispatch.implement<n::relationship::pedGroup>(
        [&world](Ped ped) { return world.relationships.groupOf(ped.id); });
}

} // namespace sim
