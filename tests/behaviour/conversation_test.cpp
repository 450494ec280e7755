// Blocking conversations, as the quest handover plays them: lines said in
// order without talking over anyone, task sequences acted out to their stop
// step, pauses, and the call returning only once the last item is done.
#include "behaviour/behaviour_rig.h"
#include "support/game.h"

#include "behaviour/conversation.h"
#include "behaviour/speech.h"
#include "runtime/natives.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace behaviourtest;

namespace {

const sim::SpokenLine& spoken(const sim::World& world, const std::string& line) {
    const sim::SpokenLine* found = world.speech.find(line);
    if (!found)
        throw std::runtime_error("never said: " + line);
    return *found;
}

int framesOf(const sim::World& world, int milliseconds) {
    return milliseconds / static_cast<int>(world.clock.frameMs);
}

} // namespace

TEST(BlockingConversation, PlaysLinesInOrderAndReturnsOnlyWhenTheLastHasEnded) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int giver = addPedNearPlayer(session, 2.0f);
    const int player = world.player.pedId;
    world.speech.framesByLine["MUTTER_TO_SELF"] = 15;
    world.speech.framesByLine["GREET_GENERAL"] = 20;
    world.speech.framesByLine["GENERIC_THANKS_SHOUTED"] = 30;
    // The player is still muttering when the conversation begins.
    startTalking(session, player, "MUTTER_TO_SELF");

    std::uint64_t returnedInFrame = 0;
    bool finished = false, playingAfter = true;
    std::size_t items = 0;
    test::startOnScriptThread([&] {
        drovil::Conversation conversation;
        conversation.addLine(drovil::Ped(player), "GREET_GENERAL", 200);
        conversation.addDelay(0);
        conversation.addLine(drovil::Ped(giver), "GENERIC_THANKS_SHOUTED", 0);
        items = conversation.itemCount();
        conversation.play();
        returnedInFrame = session.world().clock.frame;
        finished = conversation.isFinished();
        playingAfter = conversation.isPlaying();
    });
    // While the last line is being said, the call has not returned.
    ASSERT_TRUE(
        session.runUntil([&] { return world.speech.find("GENERIC_THANKS_SHOUTED") != nullptr; }, 400));
    session.runFrames(5);
    EXPECT_FALSE(test::scriptWorkDone());
    ASSERT_TRUE(test::finishScriptWork(session));

    EXPECT_EQ(items, 3u) << "a line with its pause, nothing for a zero pause, a line";
    EXPECT_EQ(world.speech.lineNames(),
              (std::vector<std::string>{"MUTTER_TO_SELF", "GREET_GENERAL", "GENERIC_THANKS_SHOUTED"}));
    EXPECT_FALSE(world.speech.anyCutOff()) << "nobody is talked over";
    const sim::SpokenLine& mutter = spoken(world, "MUTTER_TO_SELF");
    const sim::SpokenLine& greet = spoken(world, "GREET_GENERAL");
    const sim::SpokenLine& thanks = spoken(world, "GENERIC_THANKS_SHOUTED");
    EXPECT_GE(greet.frame, mutter.endFrame) << "the greeting waits for the player to fall silent";
    EXPECT_EQ(greet.ped, player);
    EXPECT_GE(thanks.frame, greet.endFrame + static_cast<std::uint64_t>(framesOf(world, 200)))
        << "the 200 ms pause comes after the greeting has ended";
    EXPECT_EQ(thanks.ped, giver);
    EXPECT_GE(returnedInFrame, thanks.endFrame) << "play returns only once the last line is over";
    EXPECT_LE(returnedInFrame, thanks.endFrame + 5) << "and soon after it";
    EXPECT_TRUE(finished);
    EXPECT_FALSE(playingAfter);

    // Each line went out as the game's speech record for the ped's own voice.
    EXPECT_EQ(greet.params, 0x67F3AB43u);
    EXPECT_EQ(greet.listener, player);
    EXPECT_EQ(greet.voice, "");
    EXPECT_EQ(greet.variation, 1u);
    EXPECT_EQ(thanks.listener, giver);
}

// The speech record as the game reads it: the voice's name in slot 1 (none:
// the ped's own voice), the variation in slot 2, so a line can be asked for in
// another variation without the game reading that number as a name.
TEST(PlaySpeech, ALineIsSaidInThePedsOwnVoiceInTheVariationAskedFor) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    const int giver = addPedNearPlayer(session, 2.0f);
    test::runOnScriptThread(session, [&] { drovil::playSpeech(drovil::Ped(giver), "GREET_GENERAL", 3); });
    const sim::SpokenLine& greet = spoken(session.world(), "GREET_GENERAL");
    EXPECT_EQ(greet.ped, giver);
    EXPECT_EQ(greet.voice, "");
    EXPECT_EQ(greet.variation, 3u);
    EXPECT_EQ(greet.listener, giver);
}

TEST(BlockingConversation, AnActionPlaysTheSequenceUpToItsStopStep) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int walker = addPedNearPlayer(session, 6.0f);
    const int player = world.player.pedId;
    const drovil::Vector3 start = world.entities.find(walker)->position;

    // Two sequences: walk up to the player then face him for a second; and
    // walk the same way, then face the player for good (a step that never ends).
    drovil::TaskSequence approach, standBy;
    std::vector<int> progressSeen;
    std::uint64_t firstDone = 0;
    bool busyAfterSecond = false;
    int progressAfterSecond = -2;
    test::startOnScriptThread([&] {
        namespace task = drovil::natives::task;
        const drovil::Entity target = drovil::Ped(player).entity();
        task::openSequence(&approach);
        task::goToEntity(drovil::Ped(), target, 20000, 1.15f, 1.0f, 0.0f, 0);
        task::turnToFaceEntity(drovil::Ped(), target, 1000, 0.0f, 0.0f, 0.0f);
        task::closeSequence(approach);
        task::openSequence(&standBy);
        task::pause(drovil::Ped(), 300);
        task::turnToFaceEntity(drovil::Ped(), target, -1, 0.0f, 0.0f, 0.0f);
        task::closeSequence(standBy);

        drovil::Conversation first;
        first.addAction(drovil::Ped(walker), &approach, 2);
        first.play();
        firstDone = session.world().clock.frame;

        drovil::Conversation second;
        second.addAction(drovil::Ped(walker), &standBy, 1);
        second.play();
        progressAfterSecond = task::sequenceProgress(drovil::Ped(walker));
        busyAfterSecond = session.world().tasks.busy(walker);
    });
    // The test reads the sequence's progress between frames.
    ASSERT_TRUE(session.runUntil(
        [&] {
            if (firstDone != 0)
                return true; // the second action has begun in the same frame
            const int progress = world.tasks.progress(walker);
            if (progressSeen.empty() || progressSeen.back() != progress)
                progressSeen.push_back(progress);
            return false;
        },
        1500));
    ASSERT_TRUE(test::finishScriptWork(session));

    // The first action ran the whole sequence: walk (0), turn (1), over (-1).
    EXPECT_EQ(progressSeen, (std::vector<int>{0, 1, -1}));
    const sim::EntityRecord& ped = *world.entities.find(walker);
    const drovil::Vector3 goal = world.playerPed().position;
    const float left = std::hypot(ped.position.x - goal.x, ped.position.y - goal.y);
    const float walked = std::hypot(ped.position.x - start.x, ped.position.y - start.y);
    EXPECT_LE(left, 1.3f) << "the ped walked up to the player";
    EXPECT_GT(walked, 4.0f);
    // The second one returned once its stop step was reached; the ped still holds it.
    EXPECT_EQ(progressAfterSecond, 1);
    EXPECT_TRUE(busyAfterSecond);
}

TEST(BlockingConversation, PausesNeverRunBackwardsAndEmptyPausesAreLeftOut) {
    drovil::Delay negative(-250);
    EXPECT_EQ(negative.milliseconds(), 0);
    EXPECT_FALSE(negative.isPlaying());
    drovil::Conversation conversation;
    conversation.addDelay(0);
    conversation.addDelay(-10);
    conversation.addLine(drovil::Ped(7), "GREET_GENERAL", 0);
    conversation.addLine(drovil::Ped(7), "GREET_GENERAL", -5);
    EXPECT_EQ(conversation.itemCount(), 2u);
    EXPECT_FALSE(conversation.isFinished());
    EXPECT_EQ(conversation.index(), -1);
}

TEST(BlockingConversation, AZeroPauseStillYieldsOneFrame) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    std::uint64_t before = 0, after = 0;
    test::startOnScriptThread([&] {
        drovil::Delay pause(-40);
        before = session.world().clock.frame;
        pause.play();
        after = session.world().clock.frame;
    });
    ASSERT_TRUE(test::finishScriptWork(session, 10));
    EXPECT_EQ(after, before + 1);
}
