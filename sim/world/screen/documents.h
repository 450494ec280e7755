#pragma once
// Paper documents held in a ped's hands and inspected with the game's document
// animation: the card comes out with an intro, is then held face up, can be
// flipped over to its back (only when the script has made flipping available)
// and flipped back, and is put away. Putting it away ends the interaction: the
// game deletes the prop if the script has handed it back, otherwise the prop
// stays in the world, still the script's.
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <string>

namespace sim {

struct World;

enum class InspectionPhase { Intro, Held, Flipped };

struct HeldDocument {
    int object = 0;
    std::uint32_t item = 0;      // the item name's hash ("CARD_CONTRACT_TARGET")
    bool itemNamed = true;       // the game knows the item: its name shows over the card
    std::uint32_t slot = 0;      // the hand slot's hash ("primaryItem")
    std::uint32_t animation = 0; // the intro animation the script asked for
    InspectionPhase phase = InspectionPhase::Intro;
    std::uint64_t startedMs = 0;
    // The intro never ends (the ped stands frozen in the pose); only a test sets
    // it, to reach a script's recovery from that.
    bool stalled = false;
};

// The inspection states the game reports, by animation set.
struct InspectionStates {
    std::uint32_t intro = 0;
    std::uint32_t held = 0;
    std::uint32_t flipped = 0;
};

class Documents {
public:
    // How long the intro animation plays before the card is held face up.
    static constexpr std::uint64_t introMs = 1200;
    // The blackboard flag without which the game offers no flip.
    static constexpr const char* flipFlag = "GENERIC_DOCUMENT_FLIP_AVAILABLE";

    // The ped takes `object` in hand; a document already held is put away first.
    void start(World& world, int ped, const HeldDocument& document);
    const HeldDocument* held(int ped) const;
    HeldDocument* held(int ped);
    // The ped holding `object`, 0 when nobody does.
    int holderOf(int object) const;
    // The state hash the game reports for the ped (0 when holding nothing).
    std::uint32_t stateOf(int ped) const;
    // Ends the ped's inspection (the card goes back in the satchel).
    bool putAway(World& world, int ped);
    // How many documents were put away over the session.
    int putAwayCount() const { return putAwayCount_; }

    // One frame: intros finish, held props follow their ped's hands.
    void step(World& world);

    static InspectionStates statesOf(std::uint32_t introAnimation);

private:
    std::map<int, HeldDocument> held_; // by ped
    int putAwayCount_ = 0;
};

// What the simulated player does with the card in hand. Each returns false when
// the action is not possible now (nothing held, intro still playing, flipping
// not offered, already on that side).
bool flipHeldDocument(World& world);
bool turnHeldDocumentBack(World& world);
bool putAwayHeldDocument(World& world);

} // namespace sim
