#pragma once
// The back of the contract card: while the player holds the card flipped, a
// panel is drawn over the screen with the target's portrait, who he is, where
// to find him and the reward. One holder for the script's life keeps the
// mission whose details are drawn.
#include "world/mission_data.h"

#include <optional>
#include <string>

namespace drovil {

class ContractCard {
public:
    ContractCard() = default;
    ContractCard(const ContractCard&) = delete;
    ContractCard& operator=(const ContractCard&) = delete;

    // Sets the mission drawn. When it is another mission than the one drawn so
    // far and `withPortrait`, the target's portrait is made again (2500 ms).
    void selectCardRecord(const MissionData& record, bool withPortrait);
    void clearRecord() {
        record_.reset();
        texts_.reset();
    }
    bool hasRecord() const { return record_.has_value(); }
    // The mission drawn; null when none.
    const MissionData* record() const { return record_ ? &*record_ : nullptr; }

    // Draws the overlay for this frame; nothing when no mission is set.
    void drawContractCard() const;

private:
    // A copy: the card may outlive the engine's record (a mission that ends
    // while its card is in hand, the debug tools' unregistered mission).
    std::optional<MissionData> record_;
    // The card's lines for the mission drawn, made on the first frame it is
    // drawn and kept while it stays: the card is drawn every frame it is held,
    // and the texts behind it only change with the mission.
    struct Texts {
        std::optional<std::string> description;
        std::string whereabouts;
        std::string aliveReward; // the reward the dead-or-alive line was made for
        bool deadOrAliveMade = false;
        std::optional<std::string> deadOrAlive;
    };
    mutable std::optional<Texts> texts_;
};

// The process-wide holder, created at start-up (null before).
ContractCard* contractCard();
void createContractCard();

// The reward the card shows, in cents: the bounty scaled by the PricesScale
// setting, truncated.
int cardRewardCents(const MissionData& record);
// The reward of the target brought in alive, bounty and bonus, as the card
// shows it (dead or alive contracts).
int cardAliveRewardCents(const MissionData& record);

} // namespace drovil
