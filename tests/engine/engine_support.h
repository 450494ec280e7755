#pragma once
// Running the contract engine in the simulator with a small executor per
// setting (the test executor spawns just the target), and the script events
// other scripts send it.
#include "engine/drovil_engine.h"
#include "session/session.h"
#include "support/script_thread.h"

#include <functional>
#include <string>
#include <vector>

namespace enginetest {

// Every setting type runs the test executor from now on. Call before the
// first frame, so that missions restored at start-up use it too.
void useTestExecutors();

// The player accepts a contract in the area, as an offer would announce it.
void acceptContract(sim::Session& session, int areaId);

// Queues a script event of group 1 for the next frame, as another script sends it.
void sendScriptEvent(sim::Session& session, const std::string& name, std::vector<int> values);

// Valentine's map area id (its town's zone hash).
int valentine();

int savedInt(const sim::Session& session, const std::string& file, const std::string& key);

} // namespace enginetest
