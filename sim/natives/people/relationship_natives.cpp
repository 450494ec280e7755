// Ped groups (a leader and its followers in a formation) and the relationship
// group a ped belongs to.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementRelationshipNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::group::create>([&world](int) { return world.pedGroups.create(); });
    dispatch.implement<n::group::remove>([&world](int group) { world.pedGroups.removeGroup(group); });
    dispatch.implement<n::group::setFormation>(
        [&world](int group, int formation) { world.pedGroups.setFormation(group, formation); });
    dispatch.implement<n::group::setMember>([&world](Ped ped, int group) {
        if (world.entities.exists(ped.id))
            world.pedGroups.addFollower(ped.id, group);
    });
    dispatch.implement<n::group::setLeader>([&world](Ped ped, int group, bool) {
        if (world.entities.exists(ped.id))
            world.pedGroups.setLeader(ped.id, group);
    });
    dispatch.implement<n::relationship::groupHashOfPed>([&world](Ped ped) -> Hash {
        if (!world.entities.exists(ped.id))
            return 0;
        return world.relationships.groupOf(world, ped.id);
    });
}

} // namespace sim
