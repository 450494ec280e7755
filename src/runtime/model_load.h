#pragma once
// Streaming a model in before anything of it is created. The game loads a
// model a few frames after it is asked for; a hash that names no model (a
// hand-edited mission file can hold one) never loads, so every wait is bounded.
#include "runtime/types.h"

namespace drovil {

// How long a model may take before whatever needs it is given up.
inline constexpr int modelLoadTimeoutMs = 10000;

// Asks the game for the model and waits (a frame at a time, or `retryWaitMs`
// between requests when above 0) until it is loaded or `timeoutMs` of the game
// clock have passed. False when it never came: logged once per call, naming the
// model and `requester`.
bool loadModelWithin(Hash model, int timeoutMs, const char* requester, int retryWaitMs = 0);

} // namespace drovil
