#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementStreamingNatives(NativeDispatch& dispatch, World& world) {
    // A model the game does not have is asked for in vain: it never loads.
    dispatch.implement<n::streaming::requestModel>([&world](Hash model, bool) {
        world.names.inGame(NameKind::Model, model, "asked to load");
        world.models.request(model, world.clock.frame);
    });
    dispatch.implement<n::streaming::setModelNoLongerNeeded>([&world](Hash model) { world.models.release(model); });
    dispatch.implement<n::streaming::hasModelLoaded>(
        [&world](Hash model) { return world.models.isLoaded(model, world.clock.frame); });
}

} // namespace sim
