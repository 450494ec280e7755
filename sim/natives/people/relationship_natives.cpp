#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementRelationshipNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::group::create>([&world](int) { return static_cast<int>(world.relationships.create()); });
    dispatch.implement<n::group::setFormation>(
        [&world](int group, int setting) { world.relationships.setSetting(group, setting); });
    dispatch.implement<n::group::setMember>([&world](Ped ped, int group) {
        if (world.entities.exists(ped.id))
            world.relationships.place(ped.id, group);
    });
    dispatch.implement<n::group::setLeader>([&world](Ped ped, int group, bool) {
        if (world.entities.exists(ped.id))
            world.relationships.place(ped.id, group);
    });
    dispatch.implement<n::relationship::groupHashOfPed>(
        [&world](Ped ped) { return world.relationships.groupOf(ped.id); });
}

} // namespace sim
