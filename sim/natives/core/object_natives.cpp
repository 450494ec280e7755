// Props: those scripts create (creation of a loaded model, placement, the
// texture drawn on them) and the nearest object of a model to a point.
#include "natives/families.h"

#include "world/core/geometry.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementObjectNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::object::create>(
        [&world](Hash model, Vector3 position, bool, bool, bool dynamic, bool, bool) {
            // Like peds, a prop of a model that has not arrived is not made.
            if (!world.models.isLoaded(model, world.clock.frame))
                return Object();
            EntityRecord& record = world.entities.create(EntityKind::Object, model, position, 0.0f);
            record.missionEntity = true;
            world.objects.add(record.id, dynamic, world.clock.frame);
            return Object(record.id);
        });
    dispatch.implement<n::object::placeOnGround>([&world](Object object, bool) {
        ObjectState* state = world.objects.find(object.id);
        EntityRecord* record = world.entities.find(object.id);
        if (!state || !record)
            return;
        state->placedOnGround = true;
        record->position.z = world.geography.groundHeight(record->position.x, record->position.y);
    });
    // The nearest object of the model within the radius (3-D), leaving out the
    // kinds the flags name (the simulator has no networked objects).
    dispatch.implement<n::object::closestOfType>(
        [&world](Vector3 position, float radius, Hash model, bool noMissionObjects, bool, bool) {
            int best = 0;
            float bestDistance = radius;
            for (const auto& [id, record] : world.entities.all()) {
                if (record.kind != EntityKind::Object || record.model != model ||
                    (noMissionObjects && record.missionEntity))
                    continue;
                const float d = distance3d(record.position, position);
                if (d <= bestDistance && (best == 0 || d < bestDistance)) {
                    best = id;
                    bestDistance = d;
                }
            }
            return Object(best);
        });
    dispatch.implement<n::object::applyTexture>([&world](Object object, Hash texture, int, int) {
        if (ObjectState* state = world.objects.find(object.id))
            state->texture = texture;
    });
}

} // namespace sim
