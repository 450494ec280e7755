#pragma once
// The debug tools: switched on and off with F2 when the DevTools setting is on,
// they protect the player and give a few testing shortcuts on keys.

namespace drovil {

bool isDebugToolsOn();
void toggleDebugTools();
void runDebugFrame();

} // namespace drovil
