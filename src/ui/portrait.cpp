#include "ui/portrait.h"

#include "runtime/frame_reads.h"
#include "runtime/host_api.h"
#include "runtime/model_load.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"

#include <cmath>
#include <string>

namespace drovil {
namespace {

constexpr const char* photoScene = "MINIGAME_PROFILE_PHOTO";
constexpr Hash dressPose = 0x01849440;
constexpr Hash photoPose = 0x0EC17E58;
constexpr int configFlagOff = 130;

// Milliseconds on the game clock since the last reset.
class Stopwatch {
public:
    void reset() { start_ = gameTimerMs(); }
    int elapsed() const { return gameTimerMs() - start_; }

private:
    int start_ = 0;
};

float radians(float degrees) {
    return degrees * 3.14159265f / 180.0f;
}

// 10 m behind the player and 10 m along the side vector worked out from the
// player's forward vector and rotation; for an upright player that side vector
// points straight up, so the clone hangs above and behind, out of sight.
Vector3 cloneSpawnPoint(Ped player) {
    const Vector3 f = natives::entity::forwardVector(player.entity());
    const Vector3 r = natives::placement::rotation(player.entity(), 2);
    const float a = radians(r.y);
    const float h = radians(r.z);
    const Vector3 d(std::sin(h) * std::cos(a), std::cos(-h) * std::cos(a), std::sin(-a));
    const Vector3 s(d.x * f.z - d.z * f.y, d.z * f.x - d.y * f.z, d.y * f.y - d.x * f.x);
    const Vector3 p = natives::entity::position(player.entity(), true, false);
    return Vector3(p.x - 10.0f * f.x + 10.0f * s.x, p.y - 10.0f * f.y + 10.0f * s.y,
                   p.z - 10.0f * f.z + 10.0f * s.z);
}

void deleteClone(Ped& clone) {
    natives::despawn::deletePed(&clone);
}

bool photograph(Ped clone, int budgetMs, int slot, int type) {
    log("PedShot: generating. slot = " + std::to_string(slot) + ", type = " + std::to_string(type));
    Stopwatch watch;
    watch.reset();
    while (natives::pedshot::previousUploadPending() && watch.elapsed() < budgetMs)
        scriptWait(0);
    if (watch.elapsed() > budgetMs) {
        log("Pedshot: timeout waiting for previous upload to complete _0xA21E3BAD0A42D199");
        return false;
    }
    log("Pedshot: previous uploads finished. total time: " + std::to_string(watch.elapsed()));

    while (!natives::pedshot::readyToRender(clone) && watch.elapsed() <= budgetMs)
        scriptWait(0);
    if (watch.elapsed() > budgetMs) {
        log("Pedshot: timeout while waiting for clone to render");
        return false;
    }

    natives::pedshot::forceMotionState(clone, photoPose, 0, 0, 0);
    natives::pedshot::cleanupPreviousPhotoData();
    natives::pedshot::setPhotoType(type);
    natives::pedshot::generatePersonaPhoto(photoScene, clone, 0);
    natives::pedshot::generatePersonaPhoto(photoScene, clone, slot);
    if (!natives::pedshot::writePersonaPhotoLocal(photoScene, slot, 1, type)) {
        log("Pedshot: failed to generate pedshot texture _0x2A48D9567940598F");
        return false;
    }
    log("Pedshot: ped texture generated, uploading. total time: " + std::to_string(watch.elapsed()));

    if (natives::pedshot::previousUploadPending()) {
        while (watch.elapsed() < budgetMs) {
            // The pose must be held while the photo uploads.
            natives::pedshot::forceMotionState(clone, photoPose, 0, 0, 0);
            scriptWait(0);
            if (!natives::pedshot::previousUploadPending())
                break;
        }
    }
    if (watch.elapsed() >= budgetMs) {
        log("Pedshot: timeout generating pedshot texture _0xA21E3BAD0A42D199");
        return false;
    }
    log("Pedshot: ped texture finished uploading. waiting for: _0x356F9FB0698C1FEB. total time: " +
        std::to_string(watch.elapsed()));

    const char* name = nullptr;
    while (watch.elapsed() <= budgetMs) {
        name = natives::pedshot::requestLocalTextureDownload(slot, type);
        scriptWait(0);
        if (!natives::misc::isStringNullOrEmpty(name))
            break;
    }
    natives::pedshot::initCleanupData();
    natives::pedshot::finishCleanupData();

    if (!natives::misc::isStringNullOrEmpty(name)) {
        log("Pedshot generated");
        return true;
    }
    log("Pedshot: failed to retrieve texture name _0x356F9FB0698C1FEB. took: " +
        std::to_string(watch.elapsed()));
    return false;
}

} // namespace

bool requestPortrait(Hash model, int outfit, int budgetMs, int slot, int type) {
    Stopwatch watch;
    watch.reset();
    const Vector3 at = cloneSpawnPoint(playerPed());

    // The model load has a limit of its own: the budget covers the photo only.
    if (!loadModelWithin(model, modelLoadTimeoutMs, "PedShot"))
        return false;

    Ped clone = natives::spawn::createPed(model, at, 0.0f, false, false, false, false);
    natives::streaming::setModelNoLongerNeeded(model);
    natives::ped::setConfigFlag(clone, configFlagOff, false);
    natives::appearance::setRandomOutfit(clone, true);
    natives::placement::setCoords(clone.entity(), at, true, false, true, true);
    natives::entity::setCollision(clone.entity(), false, false);
    natives::entity::freezePosition(clone.entity(), true);
    natives::entity::setInvincible(clone.entity(), true);
    natives::entity::setHeading(clone.entity(), 180.0f);

    while (!natives::pedshot::readyToRender(clone) && watch.elapsed() < budgetMs)
        scriptWait(0);
    if (watch.elapsed() >= budgetMs) {
        log("PedShot: failed to create a clone. timeout: " + std::to_string(budgetMs));
        deleteClone(clone);
        return false;
    }

    natives::pedshot::forceMotionState(clone, dressPose, 0, 0, 0);
    natives::appearance::setOutfitPreset(clone, outfit, false);
    natives::appearance::updateVariation(clone, false, false, false, false, false);
    scriptWait(1);

    const bool result = photograph(clone, budgetMs - watch.elapsed(), slot, type);
    deleteClone(clone);
    log("PedShot: finished with clone. took: " + std::to_string(watch.elapsed()));
    return result;
}

const char* portraitTextureName(int slot, int type) {
    return natives::pedshot::requestLocalTextureDownload(slot, type);
}

} // namespace drovil
