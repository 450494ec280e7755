#include "world/screen/documents.h"

#include "world/core/objects.h"
#include "world/core/world.h"

namespace sim {

namespace {
// The paper-card inspection set the game ships; an animation outside it has no
// flipped side in the simulator.
const std::string paperCardSet = "DOCUMENT_INSPECT@Paper_w10-16_H15-24";
} // namespace

InspectionStates Documents::statesOf(std::uint32_t introAnimation) {
    InspectionStates states;
    states.intro = introAnimation;
    if (introAnimation == gameHash(paperCardSet + "_INTRO")) {
        states.held = gameHash(paperCardSet + "_BASE");
        states.flipped = gameHash(paperCardSet + "_FLIPPED_BASE");
    } else {
        states.held = introAnimation;
    }
    return states;
}

void Documents::start(World& world, int ped, const HeldDocument& document) {
    if (held_.count(ped))
        putAway(world, ped);
    HeldDocument started = document;
    started.phase = InspectionPhase::Intro;
    started.startedMs = world.clock.elapsedMs;
    held_[ped] = started;
}

const HeldDocument* Documents::held(int ped) const {
    auto it = held_.find(ped);
    return it == held_.end() ? nullptr : &it->second;
}

HeldDocument* Documents::held(int ped) {
    auto it = held_.find(ped);
    return it == held_.end() ? nullptr : &it->second;
}

int Documents::holderOf(int object) const {
    for (const auto& [ped, document] : held_)
        if (document.object == object)
            return ped;
    return 0;
}

std::uint32_t Documents::stateOf(int ped) const {
    const HeldDocument* document = held(ped);
    if (!document)
        return 0;
    const InspectionStates states = statesOf(document->animation);
    switch (document->phase) {
    case InspectionPhase::Intro:
        return states.intro;
    case InspectionPhase::Held:
        return states.held;
    case InspectionPhase::Flipped:
        return states.flipped;
    }
    return 0;
}

bool Documents::putAway(World& world, int ped) {
    auto it = held_.find(ped);
    if (it == held_.end())
        return false;
    const int object = it->second.object;
    held_.erase(it);
    ++putAwayCount_;
    // A prop the script still owns is the script's to delete; one it handed back
    // goes with the interaction.
    if (world.entities.exists(object) && world.scenePeds.wasReleased(object))
        deleteObject(world, object);
    return true;
}

void Documents::step(World& world) {
    for (auto it = held_.begin(); it != held_.end();) {
        HeldDocument& document = it->second;
        const EntityRecord* holder = world.entities.find(it->first);
        if (!holder || !world.entities.exists(document.object)) {
            // The holder or the prop is gone: nothing is held any more.
            it = held_.erase(it);
            continue;
        }
        if (document.phase == InspectionPhase::Intro && !document.stalled &&
            world.clock.elapsedMs >= document.startedMs + introMs)
            document.phase = InspectionPhase::Held;
        if (EntityRecord* prop = world.entities.find(document.object))
            prop->position = holder->position;
        ++it;
    }
}

bool flipHeldDocument(World& world) {
    HeldDocument* document = world.documents.held(world.player.pedId);
    if (!document || document->phase != InspectionPhase::Held)
        return false;
    const EntityRecord& ped = world.playerPed();
    auto flag = ped.blackboard.find(Documents::flipFlag);
    if (flag == ped.blackboard.end() || !flag->second)
        return false;
    if (Documents::statesOf(document->animation).flipped == 0)
        return false;
    document->phase = InspectionPhase::Flipped;
    return true;
}

bool turnHeldDocumentBack(World& world) {
    HeldDocument* document = world.documents.held(world.player.pedId);
    if (!document || document->phase != InspectionPhase::Flipped)
        return false;
    document->phase = InspectionPhase::Held;
    return true;
}

bool putAwayHeldDocument(World& world) {
    return world.documents.putAway(world, world.player.pedId);
}

} // namespace sim
