#pragma once
// One chance encounter in town: a passer-by who has a contract for the player.
// The quest giver looks the player over, shouts a greeting once he is close,
// and carries a blip and two prompts, take it or turn it down. Taking it plays
// the money handover; turning it down, walking off, waiting too long or
// spooking the quest giver ends the offer as declined.
#include "runtime/types.h"
#include "ui/prompt.h"

#include <cstdint>
#include <memory>

namespace drovil {

enum class QuestOfferResult : std::int32_t {
    Running = 0,
    Accepted = 1,
    Declined = 2, // also every other ending: spooked, ignored, walked away from
};

class QuestOffer {
public:
    // The prompts become usable this close to the quest giver.
    static constexpr float promptDistance = 8.0f;
    // The quest giver shouts a greeting once the player is this close.
    static constexpr float greetingDistance = 20.0f;
    // The offer lapses once the player is this much farther away than at the start...
    static constexpr float walkAwayMargin = 45.0f;
    // ...or after this many real seconds.
    static constexpr int lapseRealSeconds = 120;
    // The pause after the handover before the offer counts as accepted.
    static constexpr int afterHandoverMs = 2000;

    // Creates the two prompts, hidden; nothing happens in the world until `start`.
    QuestOffer(Hash areaId, Ped questGiver, float startDistance);
    ~QuestOffer();
    QuestOffer(const QuestOffer&) = delete;
    QuestOffer& operator=(const QuestOffer&) = delete;

    // Takes the ped over, shows the prompts and the blip, has the ped look at
    // the player and explains the encounter the first time.
    void start();
    // One frame of a running offer. Accepting blocks the script thread until
    // the handover is over.
    void update();

    bool isActive() const { return active_; }
    QuestOfferResult result() const { return result_; }
    Hash areaId() const { return areaId_; }
    Ped questGiver() const { return questGiver_; }
    float startDistance() const { return startDistance_; }
    bool greeted() const { return greeted_; }
    int startedAt() const { return startedAt_; }
    const Prompt& acceptPrompt() const { return *acceptPrompt_; }
    const Prompt& declinePrompt() const { return *declinePrompt_; }

private:
    bool isSpooked() const;
    void setPromptsEnabled(bool enabled);
    void end(QuestOfferResult result);

    Hash areaId_;
    QuestOfferResult result_ = QuestOfferResult::Running;
    Ped questGiver_;
    float startDistance_;
    std::unique_ptr<Prompt> acceptPrompt_;
    std::unique_ptr<Prompt> declinePrompt_;
    Blip blip_;
    bool greeted_ = false;
    bool active_ = false;
    int startedAt_ = 0;
};

} // namespace drovil
