#pragma once
// Contract jobs that find the player in town: every few game hours, when he
// walks unarmed and on foot near one of a town's street spots, a suitable
// passer-by becomes a quest giver. The creator times these encounters, picks
// the ped, drives one offer at a time and announces every accepted one.
#include "runtime/events.h"
#include "world/quest_offer.h"

#include <memory>

namespace drovil {

class MapArea;

class QuestCreator {
public:
    // A street spot counts only this close to the player...
    static constexpr float streetSpotReach = 30.0f;
    // ...and a quest giver is looked for this close to the spot.
    static constexpr float questGiverSearchRadius = 12.0f;

    // Reads the game clock: the first encounter may come at once.
    QuestCreator();
    QuestCreator(const QuestCreator&) = delete;
    QuestCreator& operator=(const QuestCreator&) = delete;

    // Once per frame, while no mission of the player's zone is in play. Accepting
    // an offer blocks the script thread for the handover.
    void update();

    // The next encounter comes the configured number of game hours from now.
    void scheduleNext();
    // No encounter before `gameSeconds` (a time in the past means now).
    void setNextOffer(int gameSeconds);

    // Told of every accepted offer, with the town's zone hash.
    EventsChannel<ContractAcceptedEvent*>& acceptedOffers() { return acceptedOffers_; }
    void subscribe(EventsSubscriber<ContractAcceptedEvent*>* subscriber) {
        acceptedOffers_.subscribe(subscriber);
    }

    int nextOfferAt() const { return nextOfferAt_; }
    int lastOfferAt() const { return lastOfferAt_; }
    const QuestOffer* currentOffer() const { return currentOffer_.get(); }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

private:
    // An offer is due and the player is free for one: in no fist fight, not
    // wanted, unarmed, and the game runs no story mission, encounter or
    // portrait.
    bool mayStartOffer() const;
    void tryStartOffer();
    bool isSuitableQuestGiver(Ped ped) const;
    void finishOffer();

    EventsChannel<ContractAcceptedEvent*> acceptedOffers_;
    int lastOfferAt_ = 0;
    int nextOfferAt_ = 0;
    std::unique_ptr<QuestOffer> currentOffer_;
    bool enabled_ = true;
};

// The process-wide quest creator: created once at start-up after the map
// areas, never destroyed. Null before.
void createQuestCreator();
QuestCreator* questCreator();
// The creator's per-frame update; does nothing before it exists.
void updateQuestCreator();

} // namespace drovil
