#pragma once
// Small helpers every part of the plug-in shares: the game's random numbers,
// distances and positions, and the removal of blips. Every random choice goes through the game's
// random-number native; the plug-in keeps no generator of its own.
#include "runtime/types.h"

namespace drovil {

// A uniform integer with min <= n < max.
int randomInt(int min, int max);
// randomInt(0, 10000) * 0.0001: 0.0 to 0.9999.
float randomFloat01();

// The game's 3-D distance between two positions.
float distanceBetween(const Vector3& a, const Vector3& b);

// An entity's position.
Vector3 positionOf(Entity entity);
inline Vector3 positionOf(Ped ped) { return positionOf(ped.entity()); }

// The game timer in milliseconds.
int gameTimer();

// Takes a blip the plug-in made off the map and clears the handle; nothing
// for a cleared handle. The game may have removed the blip already (with its
// entity), and removing one twice is not allowed.
void removeBlip(Blip& blip);

} // namespace drovil
