// Props that scripts create: creation of a loaded model, placement and the
// texture drawn on them.
#include "natives/families.h"

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
            world.objects.add(record.id, dynamic, world.clock.frame);
            return Object(record.id);
        });
    dispatch.implement<n::object::placeOnGround>([&world](Object object, bool) {
        if (ObjectState* state = world.objects.find(object.id))
            state->placedOnGround = true;
    });
    dispatch.implement<n::object::applyTexture>([&world](Object object, Hash texture, int, int) {
        if (ObjectState* state = world.objects.find(object.id))
            state->texture = texture;
    });
}

} // namespace sim
