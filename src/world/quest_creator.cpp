#include "world/quest_creator.h"

#include "runtime/data_files.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/game_clock.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"
#include "world/map_areas.h"
#include "world/zone_kinds.h"

#include <algorithm>
#include <climits>
#include <string>

namespace drovil {
namespace {

constexpr const char* logPrefix = "QuestCreator: ";
constexpr Hash unarmed = 0xA2719263;
// Lawmen never hand out contracts; nor do the peds of this second group.
constexpr Hash excludedGroup = 0xCB2DC17A;
constexpr int gameSecondsPerHour = 3600;

QuestCreator* theCreator = nullptr;

} // namespace

QuestCreator::QuestCreator() {
    lastOfferAt_ = gameClockSeconds();
    setNextOffer(0);
}

void QuestCreator::scheduleNext() {
    const int hours = generalMetaFile().getInt("quest_offer.game_hours_between_encounters", -999);
    // Worked out wide and kept within the clock's range: a huge pause is the
    // longest the clock can count, never an overflow into the past.
    const long long at = static_cast<long long>(gameClockSeconds()) + static_cast<long long>(hours) * gameSecondsPerHour;
    setNextOffer(static_cast<int>(std::clamp<long long>(at, INT_MIN, INT_MAX)));
}

void QuestCreator::setNextOffer(int gameSeconds) {
    const int now = gameClockSeconds();
    nextOfferAt_ = gameSeconds < now ? now : gameSeconds;
    log(std::string(logPrefix) + "next quest offer in " +
        std::to_string(static_cast<long long>(nextOfferAt_) - now) + " game secodns");
}

void QuestCreator::update() {
    if (!enabled_)
        return;
    if (!currentOffer_) {
        if (mayStartOffer())
            tryStartOffer();
        return;
    }
    currentOffer_->update();
    if (!currentOffer_->isActive())
        finishOffer();
}

void QuestCreator::finishOffer() {
    // The offer is over before anything that can fail runs: an acceptance is
    // handled once, whatever its handling meets.
    const QuestOfferResult result = currentOffer_->result();
    const Hash areaId = currentOffer_->areaId();
    currentOffer_.reset();
    log(std::string(logPrefix) +
        "quest offer finished with status: " + std::to_string(static_cast<int>(result)));
    scheduleNext();
    if (result == QuestOfferResult::Accepted) {
        ContractAcceptedEvent event;
        event.areaId = static_cast<std::int32_t>(areaId);
        acceptedOffers_.publish(&event);
    }
}

bool QuestCreator::mayStartOffer() const {
    if (gameClockSeconds() < nextOfferAt_)
        return false;
    const Ped player = playerPed();
    if (natives::pedstate::isInMeleeCombat(player) || playerWanted())
        return false;
    Hash weapon = 0;
    natives::ped::currentWeapon(player, &weapon, false, 0, false);
    if (weapon != unarmed)
        return false;
    // A cutscene, one of the game's story missions or a portrait being taken.
    return !gameMissionFlag() && !natives::gamestate::randomEventFlag() &&
           !natives::pedshot::previousUploadPending();
}

bool QuestCreator::isSuitableQuestGiver(Ped ped) const {
    // Alive, one of the town's own folk going about their business, and
    // nothing to do with the player's fights.
    if (!natives::condition::entityExists(ped.entity()) || !natives::entity::isPed(ped.entity()) ||
        entityDead(ped) || !natives::pedstate::isOnFoot(ped) ||
        !natives::pedstate::isHuman(ped) || pedFightingPlayer(ped) ||
        pedFleeing(ped) || natives::entity::isMissionEntity(ped.entity()))
        return false;
    const Hash group = natives::relationship::groupHashOfPed(ped);
    return group != getHashKey("REL_COP") && group != excludedGroup;
}

void QuestCreator::tryStartOffer() {
    const Vector3 playerPosition = positionOf(playerPed());
    const Hash zone = playerZone(zone_kinds::Town);
    if (zone == 0)
        return;
    const MapArea* area = mapAreas().findArea(zone);
    if (!area)
        return;
    const StreetSpot spot = area->nearestStreetSpot(playerPosition);
    if (distanceBetween(spot.position, playerPosition) > streetSpotReach)
        return;
    // Work is offered to a player on foot, not in the saddle or on a wagon
    // (asked last: only by a street spot does it matter).
    if (!natives::pedstate::isOnFoot(playerPed()))
        return;

    Ped candidate;
    if (!natives::ambient::closestPed(spot.position, questGiverSearchRadius, true, false, &candidate, false,
                                      true, 1, -1) ||
        !candidate || !isSuitableQuestGiver(candidate))
        return;

    currentOffer_ =
        std::make_unique<QuestOffer>(zone, candidate, distanceBetween(positionOf(candidate), playerPosition));
    currentOffer_->start();
    lastOfferAt_ = gameClockSeconds();
    log(std::string(logPrefix) + "quest offer triggered in area: " + area->name());
}

void createQuestCreator() {
    if (theCreator)
        return;
    // The contract engine drives the offers' update, skipping it while a
    // mission of the player's zone is in play.
    theCreator = new QuestCreator();
}

QuestCreator* questCreator() {
    return theCreator;
}

void updateQuestCreator() {
    if (theCreator)
        theCreator->update();
}

} // namespace drovil
