#include "engine/quest_link.h"

#include "world/quest_creator.h"

namespace drovil {

void subscribeToQuestOffers(EventsSubscriber<ContractAcceptedEvent*>* subscriber) {
    if (questCreator())
        questCreator()->subscribe(subscriber);
}

void updateQuestOffers() { updateQuestCreator(); }

void rescheduleQuestOffers() {
    if (questCreator())
        questCreator()->scheduleNext();
}

} // namespace drovil
