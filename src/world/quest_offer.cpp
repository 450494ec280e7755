#include "world/quest_offer.h"

#include "behaviour/speech.h"
#include "behaviour/tutorials.h"
#include "runtime/data_files.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/game_clock.h"
#include "runtime/host_api.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/lang_text.h"
#include "world/quest_handover.h"

namespace drovil {
namespace {

constexpr Hash offerBlipStyle = 0xB04092F8;
constexpr Hash offerBlipSprite = 0x1DCFAA8C;
constexpr Hash offerBlipModifier = 0xD34253F0;

} // namespace

QuestOffer::QuestOffer(Hash areaId, Ped questGiver, float startDistance)
    : areaId_(areaId), questGiver_(questGiver), startDistance_(startDistance) {
    acceptPrompt_ = std::make_unique<Prompt>(langText("prompts.quest_giver.accept"),
                                             "INPUT_CONTEXT_X", PromptType::Press);
    declinePrompt_ = std::make_unique<Prompt>(langText("prompts.quest_giver.decline"),
                                              "INPUT_CONTEXT_B", PromptType::Press);
}

QuestOffer::~QuestOffer() {
    if (active_)
        end(QuestOfferResult::Declined);
}

void QuestOffer::start() {
    active_ = true;
    startedAt_ = gameClockSeconds();
    natives::entity::setAsMissionEntity(questGiver_.entity(), true, true);

    // Usable only once the player has come close: the first update decides.
    setPromptsEnabled(false);
    for (Prompt* prompt : {acceptPrompt_.get(), declinePrompt_.get()}) {
        prompt->attachToEntity(questGiver_.entity());
        prompt->setVisible(true);
    }

    blip_ = natives::blip::onEntity(offerBlipStyle, questGiver_.entity());
    natives::blip::setSprite(blip_, offerBlipSprite, false);
    natives::blip::setName(blip_,
                           natives::hud::literalString(10, "LITERAL_STRING",
                                                       langText("blips.contract_offer").c_str()));
    natives::blip::addModifier(blip_, offerBlipModifier);

    natives::task::lookAtEntity(questGiver_, playerPed().entity(), -1, 0, 0, 0);
    triggerTutorial("quest_giver", false);
}

bool QuestOffer::isSpooked() const {
    const PlayerIndex player = playerIndex();
    return entityDead(questGiver_) ||
           !natives::condition::entityExists(questGiver_.entity()) ||
           natives::player::isFreeAimingAt(player, questGiver_.entity()) ||
           natives::combat::isShooting(playerPed()) || playerWanted() ||
           natives::pedstate::isInMeleeCombat(playerPed()) || !natives::pedstate::isOnFoot(playerPed());
}

void QuestOffer::setPromptsEnabled(bool enabled) {
    acceptPrompt_->setEnabled(enabled);
    declinePrompt_->setEnabled(enabled);
}

void QuestOffer::update() {
    if (!active_)
        return;
    if (isSpooked()) {
        log("QuestCreator: Quest giver spooked");
        end(QuestOfferResult::Declined);
        return;
    }

    const Ped player = playerPed();
    const float distance = distanceBetween(positionOf(player), positionOf(questGiver_));
    if (distance <= greetingDistance && !greeted_) {
        playSpeech(questGiver_, "GREET_SHOUTED");
        natives::task::turnToFaceEntity(questGiver_, player.entity(), -1, 0.0f, 0.0f, 0.0f);
        greeted_ = true;
    }
    setPromptsEnabled(distance <= promptDistance);

    if (acceptPrompt_->isActivated()) {
        setPromptsEnabled(false);
        natives::task::clearTasks(questGiver_, true, false);
        natives::ped::blockNonTemporaryEvents(questGiver_, true);
        playQuestHandover(questGiver_, player);
        scriptWait(afterHandoverMs);
        end(QuestOfferResult::Accepted);
        return;
    }
    if (declinePrompt_->isActivated()) {
        setPromptsEnabled(false);
        end(QuestOfferResult::Declined);
        return;
    }
    if (distance >= startDistance_ + walkAwayMargin ||
        realSecondsBetween(startedAt_, gameClockSeconds()) > lapseRealSeconds)
        end(QuestOfferResult::Declined);
}

void QuestOffer::end(QuestOfferResult result) {
    log(std::string("outcome: ") + (result == QuestOfferResult::Accepted ? "ACCEPETED" : "DECLINED"));
    result_ = result;
    natives::ped::blockNonTemporaryEvents(questGiver_, false);
    acceptPrompt_->destroy();
    declinePrompt_->destroy();

    // The game hands back the blip on the ped; a ped that is gone takes its
    // blip's handle with it, so the one put there is removed instead.
    Blip blip = natives::blip::ofEntity(questGiver_.entity());
    if (!blip)
        blip = blip_;
    if (blip && natives::blip::exists(blip))
        natives::blip::remove(&blip);
    if (blip_ && blip_ != blip && natives::blip::exists(blip_))
        natives::blip::remove(&blip_);
    blip_ = Blip();

    Entity entity = questGiver_.entity();
    natives::pedsetup::releaseEntity(&entity);
    active_ = false;
}

} // namespace drovil
