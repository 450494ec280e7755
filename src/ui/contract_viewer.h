#pragma once
// The contract card in the player's hands: a photo card prop that the player
// character takes out and inspects with the game's document animation. Its
// front carries the target's portrait; flipped over, the card's back (the
// overlay of ui/contract_card.h) shows the contract's details.
#include "executors/contract_card_access.h"
#include "world/mission_data.h"

#include <optional>

namespace drovil {

// The running contracts' quick card key reaches the viewer through the
// executors' ContractCardAccess, which the viewer registers when it is created.
class ContractViewer : public ContractCardAccess {
public:
    ContractViewer() = default;
    ContractViewer(const ContractViewer&) = delete;
    ContractViewer& operator=(const ContractViewer&) = delete;

    // Puts a new card for `record` in the player's hands, with the intro
    // animation, and makes the target's portrait for it (the script waits for
    // the portrait, up to 10 s). Without a portrait the card stays blank and
    // cannot be flipped.
    void open(const MissionData& record);

    // Every frame: notices the card being taken out, and draws the card's back
    // while the player holds it flipped.
    void update();

    // True while the player holds a contract card.
    bool isOpen() const;

    bool isCardOpen() const override { return isOpen(); }
    void openCard(MissionData& mission) override { open(mission); }
    // The mission of the last card opened; null before the first.
    const MissionData* record() const { return record_ ? &*record_ : nullptr; }

private:
    // A copy, so that a card stays readable whatever becomes of the record it
    // was opened for.
    std::optional<MissionData> record_;
    bool cardInHand_ = false;
    // The card prop this viewer made and has not handed back to the game yet:
    // put away while flipped, it is handed back once out of the hand.
    Entity madeCard_;
};

// True when the item in the player's hands is a contract card prop.
bool playerHoldsContractCard();

// The process-wide viewer, created at start-up (null before).
ContractViewer* contractViewer();
void createContractViewer();
// The viewer's per-frame update (nothing before the viewer and the card exist).
void updateContractViewer();

} // namespace drovil
