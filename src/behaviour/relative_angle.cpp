#include "behaviour/relative_angle.h"

#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/natives.h"

#include <cmath>

namespace drovil {

int playerBearingAround(Entity entity) {
    const Vector3 target = positionOf(entity);
    const Vector3 player = playerPosition();
    const int heading = static_cast<int>(natives::entity::heading(entity));
    const int facing = (heading + 270) % 360;
    const double degrees = std::atan2(target.y - player.y, target.x - player.x) * -180.0 / 3.14159265358979323846;
    const int towardsPlayer = (360 - static_cast<int>(degrees)) % 360;
    return (((facing - towardsPlayer) % 360) + 360) % 360;
}

} // namespace drovil
