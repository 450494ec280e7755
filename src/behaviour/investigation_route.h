#pragma once
// The geometry and the shared steps of a guard's investigation walk: where the
// guard stands, which way the point lies, and the way back afterwards (to the
// spot it left, or to the scenario point it was using).
#include "runtime/types.h"

namespace drovil {

struct InvestigationRoute {
    int scenarioPoint = -1; // the scenario point the guard was using, -1 for none
    Vector3 home;           // where the guard stood
    float heading = 0.0f;   // the way it faced
    Vector3 direction;      // unit vector from home towards the point (zero if the point is home)
    float distance = 0.0f;  // from home to the point
    float turn = 0.0f;      // the game heading from home towards the point
    Vector3 lookPoint;      // 50 m beyond home in the point's direction
};

InvestigationRoute planInvestigation(Ped guard, const Vector3& point);

// The game heading of the direction from `from` to `to`: atan2 of the
// difference in degrees, less 90.
float headingTowards(const Vector3& from, const Vector3& to);

// `from` moved `metres` along `direction`.
Vector3 pointAlong(const Vector3& from, const Vector3& direction, float metres);

// The unit vector from `from` to `to`, or zero when they coincide.
Vector3 directionTowards(const Vector3& from, const Vector3& to);

// Adds the way back to the open sequence: to home at a walk, turning to the old
// heading, or back onto the scenario point.
void addReturnSteps(const InvestigationRoute& route);

} // namespace drovil
