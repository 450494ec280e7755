#include "world/spawn.h"

#include "runtime/host_api.h"
#include "runtime/model_load.h"
#include "runtime/natives.h"
#include "ui/text.h"
#include "world/model_pools.h"

#include <cmath>

namespace drovil {
namespace {

// The configuration flag every scene ped starts with switched off.
constexpr int sceneStartFlag = 130;
// The saddle every spawned horse wears.
constexpr Hash horseSaddle = 0x8FFCF06B;

// The two calls every spawned ped gets: its start flag, and one of its model's
// outfits chosen by the game.
void prepareSpawnedPed(Ped ped) {
    if (!ped)
        return;
    natives::ped::setConfigFlag(ped, sceneStartFlag, false);
    natives::appearance::setRandomOutfit(ped, true);
}

} // namespace

bool loadModel(Hash model) {
    return loadModelWithin(model, modelLoadTimeoutMs, "spawn");
}

Ped spawnPed(Hash model, const Vector3& position) {
    if (!loadModel(model))
        return Ped();
    const Ped ped = natives::spawn::createPed(model, position, 0.0f, false, false, false, false);
    natives::streaming::setModelNoLongerNeeded(model);
    prepareSpawnedPed(ped);
    return ped;
}

Ped spawnPedByName(const std::string& modelName, const Vector3& position) {
    return spawnPed(getHashKey(modelName), position);
}

Ped spawnPedInVehicle(Hash model, Vehicle vehicle, int seat) {
    if (!loadModel(model))
        return Ped();
    const Ped ped = natives::spawn::createPedInVehicle(vehicle, model, seat, false, false, false);
    natives::streaming::setModelNoLongerNeeded(model);
    prepareSpawnedPed(ped);
    return ped;
}

Ped spawnPedInVehicleByName(const std::string& modelName, Vehicle vehicle, int seat) {
    return spawnPedInVehicle(getHashKey(modelName), vehicle, seat);
}

Ped spawnPedInVehicleAlt(Hash model, Ped mount, int seat) {
    if (!loadModelWithin(model, modelLoadTimeoutMs, "spawn", 10))
        return Ped();
    const Ped ped = natives::spawn::createPedOnMount(mount, model, seat, true, true, false, false);
    natives::streaming::setModelNoLongerNeeded(model);
    prepareSpawnedPed(ped);
    return ped;
}

Ped spawnRandomHorse(const Vector3& position) {
    // Hashed as it is picked, like a mission's names (see the missions factory).
    const Ped horse = spawnPed(natives::misc::hashOfName(pickFrom(modelPools().horseModels).c_str()), position);
    if (horse)
        natives::appearance::applyShopItem(horse, horseSaddle, true, false, false);
    return horse;
}

Vector3 pointAround(const Vector3& centre, float distance, bool snapToGround) {
    const float angle = natives::misc::randomFloatBetween(0.0f, 1.0f) * 2.0f * 3.14159f;
    Vector3 point(centre.x + std::cos(angle) * distance, centre.y + std::sin(angle) * distance,
                  centre.z + 0.3f);
    if (snapToGround) {
        float ground = 0.0f;
        if (natives::path::groundHeight(Vector3(point.x, point.y, centre.z + 10.0f), &ground, true))
            point.z = ground;
    }
    return point;
}

} // namespace drovil
