#pragma once
// What the engine needs of the quest offers: their channel, their per-frame
// update and the rescheduling of the next encounter after a mission ends.
#include "runtime/events.h"

namespace drovil {

void subscribeToQuestOffers(EventsSubscriber<ContractAcceptedEvent*>* subscriber);
void updateQuestOffers();
void rescheduleQuestOffers();

} // namespace drovil
