#include "ui/prop_spawn.h"

#include "runtime/host_api.h"
#include "runtime/model_load.h"
#include "runtime/natives.h"
#include "ui/text.h"

namespace drovil {

Object createObject(const char* model, const Vector3& position, float heading, bool isStatic, bool visible) {
    const Hash hash = getHashKey(model);
    if (!natives::streaming::hasModelLoaded(hash) &&
        !loadModelWithin(hash, modelLoadTimeoutMs, "createObject"))
        return Object();
    const Object object = natives::object::create(hash, position, false, false, !isStatic, false, false);
    natives::streaming::setModelNoLongerNeeded(hash);
    if (!object)
        return object;
    natives::entity::setHeading(object.entity(), heading);
    natives::entity::freezePosition(object.entity(), isStatic);
    natives::entity::setVisible(object.entity(), visible);
    if (!isStatic)
        natives::object::placeOnGround(object, false);
    return object;
}

} // namespace drovil
