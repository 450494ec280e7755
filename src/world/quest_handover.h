#pragma once
// The money handover that seals an accepted quest offer: the quest giver walks
// up to the player, they face each other, the money changes hands and the
// quest giver says thanks. Plays through in one call, holding up the script
// thread until it is over.
#include "runtime/types.h"

namespace drovil {

void playQuestHandover(Ped questGiver, Ped player);

} // namespace drovil
