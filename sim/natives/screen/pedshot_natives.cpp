// The persona photo pipeline, and the clone handling around it: the frame's
// time, an entity's rotation and placement, deleting a ped.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPedshotNatives(NativeDispatch& dispatch, World& world) {
    // The game reports its frame time in seconds.
    dispatch.implement<n::frame::timeStep>(
        [&world]() { return static_cast<float>(world.clock.frameMs) / 1000.0f; });

    // Pitch, roll and yaw in degrees; the game gives the yaw from -180 to 180
    // (a heading of 270 is a yaw of -90). Entities here stand upright.
    dispatch.implement<n::placement::rotation>([&world](Entity entity, int) {
        const EntityRecord* record = world.entities.find(entity.id);
        if (!record)
            return Vector3();
        return Vector3(0.0f, 0.0f, record->heading > 180.0f ? record->heading - 360.0f : record->heading);
    });
    dispatch.implement<n::placement::setCoords>(
        [&world](Entity entity, Vector3 position, bool, bool, bool, bool) {
            if (EntityRecord* record = world.entities.find(entity.id))
                record->position = position;
        });
    dispatch.implement<n::despawn::deletePed>([&world](Ped* ped) {
        if (!ped)
            return;
        const EntityRecord* record = world.entities.find(ped->id);
        if (record && record->kind == EntityKind::Ped && ped->id != world.player.pedId) {
            world.speech.silence(ped->id, world.clock.frame);
            world.removeEntity(ped->id);
        }
        ped->id = 0;
    });

    dispatch.implement<n::pedshot::isAvailable>([&world]() { return world.pedshotAvailable; });
    dispatch.implement<n::appearance::updateVariation>([](Ped, bool, bool, bool, bool, bool) {});
    dispatch.implement<n::pedshot::forceMotionState>([&world](Ped ped, Hash pose, int, int, int) {
        if (world.entities.exists(ped.id))
            world.portraits.setPose(ped.id, pose);
    });
    dispatch.implement<n::pedshot::readyToRender>([&world](Ped ped) {
        return world.entities.exists(ped.id) && world.portraits.readyToRender(ped.id, world.clock.frame);
    });
    dispatch.implement<n::pedshot::previousUploadPending>(
        [&world]() { return world.portraits.uploadInProgress(world.clock.frame); });
    dispatch.implement<n::pedshot::cleanupPreviousPhotoData>([&world]() { world.portraits.beginPhoto(); });
    dispatch.implement<n::pedshot::setPhotoType>([&world](int type) { world.portraits.setPhotoType(type); });
    dispatch.implement<n::pedshot::generatePersonaPhoto>([&world](const char* scene, Ped ped, int index) {
        if (world.entities.exists(ped.id))
            world.portraits.bind(GameStrings::read(scene), ped.id, index);
    });
    dispatch.implement<n::pedshot::writePersonaPhotoLocal>([&world](const char* scene, int slot, int, int type) {
        // The photo shows the ped bound to the slot as it is dressed now.
        const EntityRecord* record = world.entities.find(world.portraits.boundPed(slot));
        if (!record)
            return false;
        const int outfit = world.appearances.find(record->id).outfitPreset;
        return world.portraits.generate(GameStrings::read(scene), slot, type, record->model, outfit,
                                        world.clock.frame);
    });
    dispatch.implement<n::pedshot::requestLocalTextureDownload>([&world](int slot, int type) -> const char* {
        const std::string name = world.portraits.textureName(slot, type, world.clock.frame);
        return name.empty() ? nullptr : world.strings.make(name);
    });
    dispatch.implement<n::pedshot::initCleanupData>([&world]() { world.portraits.endPhoto(); });
    dispatch.implement<n::pedshot::finishCleanupData>([&world]() { world.portraits.releaseScene(); });
}

} // namespace sim
