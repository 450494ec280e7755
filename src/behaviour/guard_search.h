#pragma once
// A guard searching the ground around a point with its weapon out: it steps
// towards the point and studies it, then walks to `count` spots 8 to 14 m
// around it, aiming outwards at each, and finally returns to stand guard where
// it was. With the point at the origin it searches behind itself instead.
#include "runtime/types.h"

namespace drovil {

void searchAround(Ped guard, const Vector3& point, int count);

} // namespace drovil
