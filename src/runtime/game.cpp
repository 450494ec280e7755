#include "runtime/game.h"

#include "runtime/natives.h"

namespace drovil {

int randomInt(int min, int max) { return natives::misc::randomInt(min, max); }

float randomFloat01() { return static_cast<float>(randomInt(0, 10000)) * 0.0001f; }

float distanceBetween(const Vector3& a, const Vector3& b) { return natives::misc::distanceBetween(a, b, true); }

Vector3 positionOf(Entity entity) { return natives::entity::position(entity, true, false); }

int gameTimer() { return natives::misc::secondsSinceBaseYear(); }

} // namespace drovil
