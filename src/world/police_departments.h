#pragma once
// The sheriff's office of each map area: where prisoner-transport missions pick
// up their prisoner and which way the wagon leaves.
#include "runtime/types.h"

#include <vector>

namespace drovil {

struct PoliceDepartment {
    Hash areaId = 0;
    Vector3 position;                 // the office; the coords of prisoner-transport missions
    Vector3 prisonerSpawn;            // where the prisoner ped is created
    int doorHash = 0;                 // the office door, for the door-lock native
    Vector3 guardSpawn;               // centre of the 3 m circle in which the escort is created
    Vector3 wagonTarget;              // driving destination; (0, 0, 0) where not given
    std::vector<Vector3> routePoints; // one is picked at random
};

class PoliceDepartments {
public:
    // The department of a map area, or null (logged) for an id that is not one
    // of the eight areas. The table is built on the first call.
    static const PoliceDepartment* findDepartment(Hash areaId);
};

} // namespace drovil
