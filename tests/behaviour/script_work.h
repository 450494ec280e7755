#pragma once
// Running plug-in code on the script thread while the test watches frame by
// frame. Work handed over starts in the next frame, as a guarded frame step
// registered after start-up (so after the conversation runner); work that waits
// for the game keeps its step busy across frames while the test runs them.
#include "session/session.h"

#include <functional>
#include <string>

namespace behaviourtest {

// `work` starts in the next frame that runs; this call runs no frames.
void startOnScriptThread(std::function<void()> work);
// True once the work last started has returned.
bool workDone();
// Runs frames until the work has returned (at most `maxFrames`); true if it did.
bool finishWork(sim::Session& session, int maxFrames = 2000);

// `watch` runs on the script thread in every frame whose guarded steps run,
// after the work of that frame (an empty function stops it).
void watchEveryFrame(std::function<void()> watch);

// The ped starts saying `line` in the next frame, as if of its own accord.
void startTalking(sim::Session& session, int ped, const std::string& line);

// A ped standing `metresAhead` in front of the player, facing the player.
int addPedNearPlayer(sim::Session& session, float metresAhead, float metresAside = 0.0f);

} // namespace behaviourtest
