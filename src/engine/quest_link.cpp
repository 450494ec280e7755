#include "engine/quest_link.h"

namespace drovil {

// Replaced by the quest creator's own channel and schedule.
void subscribeToQuestOffers(EventsSubscriber<ContractAcceptedEvent*>*) {}
void updateQuestOffers() {}
void rescheduleQuestOffers() {}

} // namespace drovil
