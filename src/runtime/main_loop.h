#pragma once
// Start-up and the endless per-frame loop of the script thread.

namespace drovil {

// The script's main function: start-up, then one pass per frame for ever. It
// returns only when start-up fails.
void runPlugin();

// Start-up in its fixed order; false when a required data file failed to load.
bool startUp();

// One pass of the loop (without the final wait).
void runFrame();

// True while the debug tools are switched on (F2, with DevTools set).
bool isDebugToolsOn();

} // namespace drovil
