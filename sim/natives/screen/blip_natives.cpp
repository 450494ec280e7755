// Blips on entities, at points and over areas; their sprite and modifiers,
// names and removal.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementBlipNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::blip::onEntity>([&world](Hash style, Entity entity) {
        if (!world.entities.exists(entity.id))
            return Blip();
        BlipRecord& blip = world.blips.create(BlipKind::Entity, style, world.clock.frame);
        blip.entity = entity.id;
        return Blip(blip.id);
    });
    dispatch.implement<n::blip::atCoords>([&world](Hash style, Vector3 position) {
        BlipRecord& blip = world.blips.create(BlipKind::Coords, style, world.clock.frame);
        blip.position = position;
        return Blip(blip.id);
    });
    dispatch.implement<n::blip::radius>([&world](Hash style, Vector3 centre, float radius) {
        BlipRecord& blip = world.blips.create(BlipKind::Radius, style, world.clock.frame);
        blip.position = centre;
        blip.radius = radius;
        return Blip(blip.id);
    });
    dispatch.implement<n::blip::setSprite>([&world](Blip blip, Hash sprite, bool) {
        if (BlipRecord* record = world.blips.find(blip.id))
            record->sprite = sprite;
    });
    dispatch.implement<n::blip::addModifier>([&world](Blip blip, Hash modifier) {
        if (BlipRecord* record = world.blips.find(blip.id))
            record->modifiers.push_back(modifier);
    });
    dispatch.implement<n::blip::setScale>([&world](Blip blip, float scale) {
        if (BlipRecord* record = world.blips.find(blip.id))
            record->scale = scale;
    });
    dispatch.implement<n::blip::setName>([&world](Blip blip, const char* gameString) {
        if (BlipRecord* record = world.blips.find(blip.id))
            record->name = GameStrings::read(gameString);
    });
    dispatch.implement<n::blip::exists>([&world](Blip blip) { return world.blips.exists(blip.id); });
    // The game clears the caller's handle once the blip is gone.
    dispatch.implement<n::blip::remove>([&world](Blip* blip) {
        if (!blip)
            return;
        world.blips.remove(blip->id);
        blip->id = 0;
    });
    dispatch.implement<n::blip::entityHasBlip>(
        [&world](Entity entity) { return world.blips.onEntity(entity.id) != nullptr; });
    dispatch.implement<n::blip::ofEntity>([&world](Entity entity) {
        const BlipRecord* record = world.blips.onEntity(entity.id);
        return record ? Blip(record->id) : Blip();
    });
}

} // namespace sim
