#pragma once
// Running plug-in code that calls natives from a test: it must run on the
// script thread, so it is handed to the frames as a guarded frame step (added
// on first use, so after the long-lived objects' steps, and after the help-text
// and toast flushes of the same frame). Work that waits for the game spans
// several frames; the test thread runs them.
#include "session/session.h"

#include <functional>

namespace test {

// Runs `work` once, in the next frame whose guarded steps run, and runs frames
// until it has returned (at most `maxFrames`); true if it returned. Exceptions
// escaping `work` reach the frame's exception guard (and count as returned).
bool runOnScriptThread(sim::Session& session, std::function<void()> work, int maxFrames = 5000);

// Hands `work` to the next frame that runs, without running any frame.
void startOnScriptThread(std::function<void()> work);
// True once every piece of work handed over has returned.
bool scriptWorkDone();
// Runs frames until the work handed over has returned (at most `maxFrames`).
bool finishScriptWork(sim::Session& session, int maxFrames = 2000);

// Runs `work` on the script thread in every frame whose guarded steps run,
// after that frame's one-off work; an empty function stops it.
void runEveryFrame(std::function<void()> work);

} // namespace test
