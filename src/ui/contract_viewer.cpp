#include "ui/contract_viewer.h"

#include "behaviour/tutorials.h"
#include "runtime/frame_reads.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/contract_card.h"
#include "ui/portrait.h"
#include "ui/prop_spawn.h"
#include "ui/text.h"

namespace drovil {
namespace {

ContractViewer*& instance() {
    static ContractViewer* viewer = nullptr;
    return viewer;
}

constexpr const char* cardModel = "p_cs_photonudie05x_4x6";
constexpr const char* cardDecorator = "KV_Drovil_isContractCard";
constexpr const char* flipHint = "GENERIC_DOCUMENT_FLIP_AVAILABLE";
constexpr int openPortraitBudgetMs = 10000;

// Hashes of fixed names never change: ask the game once.
Hash handSlot() {
    static const Hash hash = getHashKey("primaryItem");
    return hash;
}
Hash flippedState() {
    static const Hash hash = getHashKey("DOCUMENT_INSPECT@Paper_w10-16_H15-24_FLIPPED_BASE");
    return hash;
}

// The item in the player's hands when it is a contract card, else a null
// handle: asked by the viewer and the menu in the same frame, read once.
PerYield<Entity> heldCard;

Entity heldContractCard() {
    return heldCard.get([] {
        const Entity item = natives::document::heldItem(playerPed(), handSlot());
        if (!item || natives::decorator::getInt(item, cardDecorator) == 0)
            return Entity();
        return item;
    });
}

} // namespace

bool playerHoldsContractCard() {
    return static_cast<bool>(heldContractCard());
}

void ContractViewer::open(const MissionData& record) {
    record_ = record;
    const Ped player = playerPed();
    const Object card = createObject(cardModel, Vector3(0.0f, 0.0f, 0.0f), 0.0f, false, true);
    if (!card) {
        log("ContractViewer: the contract card could not be created");
        return;
    }
    if (madeCard_)
        natives::pedsetup::releaseEntity(&madeCard_);
    madeCard_ = card.entity();
    natives::document::startInspection(player, getHashKey("CARD_CONTRACT_TARGET"), card, handSlot(),
                                       getHashKey("DOCUMENT_INSPECT@Paper_w10-16_H15-24_INTRO"), 1, 0, -1.0f);
    natives::decorator::setInt(card.entity(), cardDecorator, 1);
    heldCard.forget(); // a card in hand from now on

    if (requestPortrait(record.targetModel, record.targetOutfitIndex, openPortraitBudgetMs, portraitSlot,
                        portraitPhotoType)) {
        const char* texture = portraitTextureName(portraitSlot, portraitPhotoType);
        natives::object::applyTexture(card, getHashKey(texture ? texture : ""), 0, 0);
        natives::ped::setBlackboardBool(player, flipHint, true, -1);
        return;
    }
    showSubtitle("ContractViewer: failed to create target's portrait");
    log("ContractViewer: failed to generate target's picture");
    // A hung inspection would hold the player in the pose.
    if (natives::document::isRunningItemInteraction(player))
        natives::task::clearTasks(player, true, true);
}

void ContractViewer::update() {
    Entity card = heldContractCard();
    if (!card) {
        // Put away while flipped: the prop is still ours until handed back.
        if (cardInHand_ && madeCard_)
            natives::pedsetup::releaseEntity(&madeCard_);
        cardInHand_ = false;
        return;
    }
    if (!cardInHand_) {
        // Once per taking out of the card, not every frame it is held.
        cardInHand_ = true;
        triggerTutorial("contract_info.flip", false);
    }
    ContractCard* back = contractCard();
    if (natives::document::inspectionState(playerPed()) == flippedState() && record_ && back) {
        if (!back->hasRecord())
            back->selectCardRecord(*record_, false);
        back->drawContractCard();
        return;
    }
    if (back)
        back->clearRecord();
    // Hand the prop back to the game, which deletes it once the card is put away.
    natives::pedsetup::releaseEntity(&card);
    madeCard_ = Entity();
}

bool ContractViewer::isOpen() const {
    return playerHoldsContractCard();
}

ContractViewer* contractViewer() {
    return instance();
}

void createContractViewer() {
    if (instance())
        return;
    instance() = new ContractViewer();
    setContractCardAccess(instance());
}

void updateContractViewer() {
    if (ContractViewer* viewer = contractViewer())
        viewer->update();
}

} // namespace drovil
