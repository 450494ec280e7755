#pragma once
// Creating the peds of a scene and placing things around a point. Every spawn
// helper first has the game load the model and waits for it (the rest of the
// frame's work waits too), then creates the ped and gives it the game's own
// random outfit. A model that does not load within modelLoadTimeoutMs gives no
// ped (logged). Script thread only.
#include "runtime/types.h"

#include <string>

namespace drovil {

// Asks the game for the model and waits one frame at a time until it is
// loaded; false (logged) when it did not load in time.
bool loadModel(Hash model);

// A ped of the model standing at the position; 0 when the game refuses.
Ped spawnPed(Hash model, const Vector3& position);
Ped spawnPedByName(const std::string& modelName, const Vector3& position);

// A ped of the model in a seat of the vehicle (-1 the driver's, passengers from 0).
Ped spawnPedInVehicle(Hash model, Vehicle vehicle, int seat);
Ped spawnPedInVehicleByName(const std::string& modelName, Vehicle vehicle, int seat);

// A rider on a mount (seat -1 in the saddle). While the model loads it asks for
// it again every 10 ms instead of every frame.
Ped spawnPedInVehicleAlt(Hash model, Ped mount, int seat);

// A saddled horse of one of the common breeds, standing at the position.
Ped spawnRandomHorse(const Vector3& position);

// A point exactly `distance` metres from `centre` in a random direction on the
// ground plane, 0.3 m above the centre's height; with `snapToGround`, on the
// ground under that point when the game knows its height there.
Vector3 pointAround(const Vector3& centre, float distance, bool snapToGround);

} // namespace drovil
