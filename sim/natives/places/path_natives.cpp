#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
bool writeNode(const std::optional<RoadNode>& node, Vector3* outNode, float* outHeading) {
    if (outNode)
        *outNode = node ? node->position : Vector3();
    if (outHeading)
        *outHeading = node ? node->heading : 0.0f;
    return node.has_value();
}
} // namespace

void implementPathNatives(NativeDispatch& dispatch, World& world) {
    // The game finds ground only below the probe; the plug-in probes from above.
    dispatch.implement<n::path::groundHeight>([&world](Vector3 position, float* outHeight, bool) {
        const float ground = world.geography.groundHeight(position.x, position.y);
        if (ground > position.z) {
            if (outHeight)
                *outHeight = 0.0f;
            return false;
        }
        if (outHeight)
            *outHeight = ground;
        return true;
    });
    dispatch.implement<n::path::nearestRoadNode>(
        [&world](Vector3 position, Vector3* outNode, float* outHeading, int, float, int) {
            return writeNode(world.geography.nearestRoadNode(position), outNode, outHeading);
        });
    dispatch.implement<n::path::roadNodeTowards>([&world](Vector3 position, Vector3 towards, int nth,
                                                          Vector3* outNode, float* outHeading, int, float,
                                                          int) {
        return writeNode(world.geography.roadNodeTowards(position, towards, nth), outNode, outHeading);
    });
    dispatch.implement<n::path::nearestTrackPosition>(
        [&world](Vector3 position) { return world.geography.trackPointNear(position); });
}

} // namespace sim
