#include "behaviour/guard_search.h"

#include "behaviour/investigation_route.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/natives.h"
#include "ui/text.h"

#include <algorithm>
#include <cmath>

namespace drovil {
namespace {
constexpr float twoPi = 6.28318530718f;

bool isOrigin(const Vector3& point) {
    return point.x == 0.0f && point.y == 0.0f && point.z == 0.0f;
}

// A spot on the circle of 8 to 14 m around the centre, a little above the ground.
Vector3 spotAround(const Vector3& centre) {
    const float radius = static_cast<float>(randomInt(8, 15));
    const float angle = randomFloat01() * twoPi;
    return Vector3(centre.x + std::cos(angle) * radius, centre.y + std::sin(angle) * radius, centre.z + 0.3f);
}
} // namespace

void searchAround(Ped guard, const Vector3& point, int count) {
    if (entityDead(guard))
        return;
    const float heading = natives::entity::heading(guard.entity());
    const Vector3 home = positionOf(guard);
    const bool behind = isOrigin(point);
    Vector3 direction;
    Vector3 centre;
    if (behind) {
        const Vector3 forward = natives::entity::forwardVector(guard.entity());
        direction = Vector3(-forward.x, -forward.y, -forward.z);
        centre = home;
    } else {
        direction = directionTowards(home, point);
        centre = point;
    }
    Vector3 spot = pointAlong(centre, direction, static_cast<float>(randomInt(8, 15)));

    natives::ped::blockNonTemporaryEvents(guard, true);
    natives::combat::holdWeapon(guard, natives::combat::bestWeapon(guard, 0, 0), true, 0, 0, 0);
    natives::task::panicExitScenario(guard, centre);

    const Ped inSequence(0);
    TaskSequence sequence;
    natives::task::openSequence(&sequence);
    natives::task::swapWeapon(inSequence, true, true, 0, 0);
    if (!behind) {
        // A step towards the point, then a long look at it.
        const float metres = distanceBetween(point, home);
        const Vector3 approach = pointAlong(home, direction, std::min(0.9f, metres - 1.5f));
        natives::task::goToPoint(inSequence, approach, 1.5f, -1, 1.5f, 0, 0.0f);
        natives::task::turnToFacePoint(inSequence, point, 1500);
        natives::task::lookAtPoint(inSequence, point, -1, 0, 51, 1);
        natives::task::pause(inSequence, 7000);
        natives::task::clearLookAt(inSequence);
    }
    for (int i = 0; i < count; ++i) {
        const float turn = headingTowards(centre, spot);
        const Vector3 lookPoint = pointAlong(spot, directionTowards(centre, spot), 50.0f);
        natives::task::goToPoint(inSequence, spot, 1.5f, -1, 1.0f, 0, turn);
        natives::task::turnToFacePoint(inSequence, lookPoint, 1000);
        natives::task::aimAtPoint(inSequence, lookPoint, 6000, false, false);
        natives::task::pause(inSequence, 1500);
        spot = spotAround(centre);
    }
    natives::task::goToPoint(inSequence, home, 1.5f, -1, 1.0f, 0, heading);
    natives::task::achieveHeading(inSequence, heading, 2000);
    natives::task::scenarioInPlace(inSequence, getHashKey("WORLD_HUMAN_GUARD_SCOUT"), -1, true, true, heading,
                                   true);
    natives::task::closeSequence(sequence);
    natives::task::performSequence(guard, sequence);
    natives::task::clearSequence(&sequence); // the ped keeps its copy
}

} // namespace drovil
