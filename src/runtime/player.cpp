#include "runtime/player.h"

#include "runtime/natives.h"

namespace drovil {
namespace {
Ped currentPlayerPed;
}

Ped playerPed() { return currentPlayerPed; }

void refreshPlayerPed() { currentPlayerPed = natives::player::playerPed(); }

} // namespace drovil
