#pragma once
// Where the player stands around a ped, seen from the ped's facing.
#include "runtime/types.h"

namespace drovil {

// The bearing of the player around `entity`, in whole degrees 0 to 359 from
// its facing: from 121 to 249 the player stands behind it.
int playerBearingAround(Entity entity);

} // namespace drovil
