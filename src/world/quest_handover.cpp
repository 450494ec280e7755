#include "world/quest_handover.h"

#include "behaviour/conversation.h"
#include "runtime/host_api.h"
#include "runtime/natives.h"

namespace drovil {
namespace {

constexpr const char* handoverDictionary = "script_common@handover@generic@player_handover@money";
// Waiting longer than this for the dictionary would freeze the handover; the
// clips are then simply skipped by the game.
constexpr int dictionaryWaitFrames = 300;

void loadDictionary() {
    natives::animation::requestDictionary(handoverDictionary);
    for (int frame = 0;
         frame < dictionaryWaitFrames && !natives::animation::dictionaryLoaded(handoverDictionary); ++frame)
        scriptWait(0);
}

void addClip(const char* clip) {
    natives::animation::playTask(Ped(), handoverDictionary, clip, 8.0f, -8.0f, -1, 0, 0.0f, false, 0, false,
                                 0, false);
}

void addFacing(Ped target) {
    natives::task::turnToFaceEntity(Ped(), target.entity(), 1000, 0.0f, 0.0f, 0.0f);
}

} // namespace

void playQuestHandover(Ped questGiver, Ped player) {
    TaskSequence walkUp, giverHandsOver, turnToGiver, playerTakes;

    natives::task::openSequence(&walkUp);
    natives::task::goToEntity(Ped(), player.entity(), 20000, 1.15f, 1.0f, 0.0f, 0);
    addFacing(player);
    natives::task::closeSequence(walkUp);

    loadDictionary();
    natives::task::openSequence(&giverHandsOver);
    addClip("handover_money_plyr");
    natives::task::closeSequence(giverHandsOver);

    natives::task::openSequence(&turnToGiver);
    addFacing(questGiver);
    natives::task::closeSequence(turnToGiver);

    natives::task::openSequence(&playerTakes);
    addClip("handover_money_male");
    natives::task::closeSequence(playerTakes);

    // The stop steps: the walk plays until the quest giver has faced the
    // player (both steps), the player's turn until it is done, and each clip
    // only starts before the next item begins.
    Conversation conversation;
    conversation.addLine(player, "GREET_GENERAL", 200);
    conversation.addAction(questGiver, &walkUp, 2);
    conversation.addAction(player, &turnToGiver, 1);
    conversation.addAction(questGiver, &giverHandsOver, 0);
    conversation.addAction(player, &playerTakes, 0);
    conversation.addDelay(1000);
    conversation.addLine(questGiver, "GENERIC_THANKS_SHOUTED", 200);
    conversation.play();
    // The peds carried out their copies; the game's handles are freed.
    for (TaskSequence* sequence : {&walkUp, &giverHandsOver, &turnToGiver, &playerTakes})
        natives::task::clearSequence(sequence);
}

} // namespace drovil
