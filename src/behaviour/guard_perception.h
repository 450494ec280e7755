#pragma once
// How far a guard sees and hears, by the tuning of AI.dat (read at every use, so
// an edited table takes effect at once) and the conditions of the moment: the
// target's crouching and foliage cover, night, rain and wind.
#include "runtime/types.h"

namespace drovil {

// The game clock's hour is before 6 or after 20.
bool isNight();

// How well foliage hides a target, 0 (open ground) to 1 (fully hidden). The
// foliage read is always the player's, whoever the target is; a crouching
// target is hidden twice as well.
float foliageCoverOf(Entity target);

// The wind speed, at most 100, and the rain level, at most 1.
float cappedWindSpeed();
float cappedRainLevel();

// The sight range a guard has for a target now; never below the minimum.
float guardSightRange(Entity target);

// Gives the guard its sight range for the target and asks the game whether it
// sees the target. A fully hidden target is never seen. `rangeGiven` is the
// range this guard was last given (negative for none): the game keeps it, so
// an unchanged range is not given again.
bool guardCanSee(Ped guard, Entity target, float& rangeGiven);

// How far a guard hears now; never below the minimum.
float guardHearingRange();

// A reported noise at `position` is within the guard's noise range.
bool isWithinNoiseRange(Ped guard, const Vector3& position);

} // namespace drovil
