#include "runtime/game.h"

#include "runtime/frame_reads.h"
#include "runtime/game_clock.h"
#include "runtime/natives.h"
#include "runtime/player.h"

#include <cmath>

namespace drovil {

int randomInt(int min, int max) { return natives::misc::randomInt(min, max); }

float randomFloat01() { return static_cast<float>(randomInt(0, 10000)) * 0.0001f; }

// Worked out here with the game's own arithmetic (single precision, the
// square root of the summed squares): the same result as its native, without a
// call into the game for each of the many distances a frame needs.
float distanceBetween(const Vector3& a, const Vector3& b) {
    const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

Vector3 positionOf(Entity entity) {
    return entityPosition(entity);
}

int gameTimer() { return gameClockSeconds(); }

void removeBlip(Blip& blip) {
    if (!blip)
        return;
    if (natives::blip::exists(blip)) {
        Blip handle = blip;
        natives::blip::remove(&handle);
    }
    blip = Blip();
}

} // namespace drovil
