// Camp propsets: streamed in by name, placed at a point (on the ground found by
// probing down from the given height) with the scenario points of their props,
// then deleted by the script or handed back to the game.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPropsetNatives(NativeDispatch& dispatch, World& world) {
    // A propset the game does not have never streams in.
    dispatch.implement<n::propset::request>([&world](Hash propset) {
        world.names.inGame(NameKind::Propset, propset, "asked to load");
        world.propsets.request(propset, world.clock.frame);
    });
    dispatch.implement<n::propset::isLoaded>(
        [&world](Hash propset) { return world.propsets.isLoaded(propset, world.clock.frame); });
    dispatch.implement<n::propset::create>(
        [&world](Hash propset, Vector3 position, int, float heading, float zProbe, bool, bool) {
            const float ground = world.geography.groundHeight(position.x, position.y);
            const bool onGround = zProbe > 0.0f && ground <= zProbe;
            if (onGround)
                position.z = ground;
            const int handle = world.propsets.place(propset, position, heading, onGround, world.clock.frame);
            if (handle != 0)
                world.scenarioPoints.addPropsetPoints(handle, position, heading);
            return Propset(handle);
        });
    dispatch.implement<n::propset::releaseRequest>(
        [&world](Hash propset) { world.propsets.releaseRequest(propset); });
    dispatch.implement<n::propset::remove>([&world](Propset propset, bool, bool) {
        if (PlacedPropset* placed = world.propsets.find(propset.id)) {
            placed->fate = PropsetFate::Deleted;
            world.scenarioPoints.removePropsetPoints(propset.id);
            world.propsets.wentAway();
        }
    });
    dispatch.implement<n::propset::releaseToGame>([&world](Propset propset) {
        if (PlacedPropset* placed = world.propsets.find(propset.id); placed && placed->fate == PropsetFate::Owned)
            placed->fate = PropsetFate::Released;
    });
}

} // namespace sim
