#pragma once
// Plug-in code that calls natives must run on the script thread. These hand
// work to the frames as guarded frame steps, which run after the help-text and
// toast flushes of the same frame.
#include "session/session.h"

#include <functional>

namespace uitest {

// Runs `work` once on the script thread during the next frame, which this runs;
// when `work` waits for the game, the frames run on until it returns.
void onScriptThread(sim::Session& session, std::function<void()> work);

// Runs `work` on the script thread in every following frame, until replaced
// (an empty function stops it).
void everyFrame(std::function<void()> work);

} // namespace uitest
