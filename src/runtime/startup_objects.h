#pragma once
// The long-lived objects of the plug-in, created once at start-up in a fixed
// order (each may be given the ones before it) and driven by the frame.

namespace drovil {

// Creates every long-lived object, in order.
void createLongLivedObjects();

// The per-frame steps that run inside the frame's exception guard, in order:
// each long-lived object that needs a frame adds its step when it is created.
using FrameStep = void (*)();
void addGuardedFrameStep(FrameStep step);
void runGuardedFrameSteps();

} // namespace drovil
