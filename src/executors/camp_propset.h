#pragma once
// The propset of a camp (tents, fire, seats) streamed in and placed at a point,
// as every camp scene places it.
#include "runtime/types.h"

namespace drovil {

// Asks the game for the propset every 20 ms, 100 times at the most, places it
// at `position` once loaded and releases the request either way. A null handle
// when it never loaded or could not be placed.
Propset placeCampPropset(Hash name, const Vector3& position);

// Ends a camp's propset: deleted at once with the debug tools on (so a tester
// sees it go), otherwise handed back to the game, which clears it away once the
// player is gone.
void endCampPropset(Propset& propset);

} // namespace drovil
