#pragma once
// The player's ped handle for the current frame. Every part of the plug-in reads
// this instead of asking the game again within the frame.
#include "runtime/types.h"

namespace drovil {

Ped playerPed();
void refreshPlayerPed();

} // namespace drovil
