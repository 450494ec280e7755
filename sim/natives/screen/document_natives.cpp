// Documents held in the hands: a script hands a prop to a ped to inspect; the
// game reports what is held, the inspection state the player has put it in, and
// whether the ped is still running the item interaction.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementDocumentNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::document::startInspection>(
        [&world](Ped ped, Hash item, Object prop, Hash slot, Hash animation, int, int, float) {
            if (!world.entities.exists(ped.id) || !world.entities.exists(prop.id))
                return;
            // Without the hand slot or the animation set there is no inspection; an
            // item the game does not know is still held, with no item name shown.
            if (!world.names.inGame(NameKind::Document, slot, "as the hand slot of an inspection") ||
                !world.names.inGame(NameKind::Clipset, animation, "as an inspection's animation"))
                return;
            HeldDocument document;
            document.object = prop.id;
            document.item = item;
            document.itemNamed = world.names.inGame(NameKind::Document, item, "as the item inspected");
            document.slot = slot;
            document.animation = animation;
            world.documents.start(world, ped.id, document);
        });
    dispatch.implement<n::document::heldItem>([&world](Ped ped, Hash slot) {
        const HeldDocument* document = world.documents.held(ped.id);
        if (!document || document->slot != slot)
            return Entity();
        return Entity(document->object);
    });
    dispatch.implement<n::document::inspectionState>(
        [&world](Ped ped) { return static_cast<Hash>(world.documents.stateOf(ped.id)); });
    // True for as long as the ped holds an item, whatever the state of its inspection.
    dispatch.implement<n::document::isRunningItemInteraction>(
        [&world](Ped ped) { return world.documents.held(ped.id) != nullptr; });
}

} // namespace sim
