#pragma once
// The little world the behaviour tests set up: a ped in front of the player and
// a ped that starts talking of its own accord. Plug-in code is run on the
// script thread with the helpers of support/script_thread.h.
#include "session/session.h"
#include "support/script_thread.h"

#include <string>

namespace behaviourtest {

// The ped starts saying `line` in the next frame, as if of its own accord.
void startTalking(sim::Session& session, int ped, const std::string& line);

// A ped standing `metresAhead` in front of the player, facing the player.
int addPedNearPlayer(sim::Session& session, float metresAhead, float metresAside = 0.0f);

} // namespace behaviourtest
