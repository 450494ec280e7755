// Conversations that play across frames: started by their owner, advanced one
// step per frame by the runner of the main loop, never holding up the frame.
#include "behaviour/behaviour_rig.h"
#include "support/game.h"

#include "behaviour/async_conversation.h"
#include "runtime/natives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace behaviourtest;

namespace {

bool inRunningList(const drovil::AsyncConversation* conversation) {
    const auto& running = drovil::runningAsyncConversations();
    return std::find(running.begin(), running.end(), conversation) != running.end();
}

// Frames an AsyncConversationDelay of `length` stays busy with the game's rate value.
int delayFrames(const sim::World& world, int length) {
    const float rate = static_cast<float>(world.clock.frameMs) / 1000.0f;
    int frames = 1;
    for (int remaining = length; remaining > 0; ++frames) {
        const float x = static_cast<float>(remaining) - 1.0f / rate;
        remaining = x >= 0.0f ? static_cast<int>(x) : 0;
    }
    return frames;
}

} // namespace

TEST(AsyncConversation, AdvancesOneStepPerFrameWithoutHoldingUpTheFrame) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int madam = addPedNearPlayer(session, 3.0f);
    const int target = addPedNearPlayer(session, 3.0f, 1.5f);
    world.speech.framesByLine["GREET_GENERAL"] = 4; // shorter than the ten frames a line is given
    world.speech.framesByLine["GENERIC_CURSE_MED"] = 20;

    drovil::AsyncConversation* conversation = nullptr;
    test::startOnScriptThread([&] {
        conversation = drovil::createAsyncConversation();
        conversation->addLine(drovil::Ped(madam), "GREET_GENERAL", 500);
        conversation->addLine(drovil::Ped(target), "GENERIC_CURSE_MED", 0);
        conversation->step(); // the owner starts it; the runner does the rest
    });
    session.runFrames(1);
    ASSERT_TRUE(test::scriptWorkDone()) << "starting a conversation returns at once";
    ASSERT_NE(conversation, nullptr);
    EXPECT_EQ(conversation->itemCount(), 3u);
    EXPECT_EQ(conversation->index(), 0);
    EXPECT_TRUE(inRunningList(conversation));

    // Every frame runs its guarded steps to the end while the conversation plays.
    int framesWatched = 0;
    std::vector<int> indices;
    test::runEveryFrame([&] {
        ++framesWatched;
        indices.push_back(conversation->index());
    });
    int framesRun = 0;
    while (!conversation->isFinished() && framesRun < 400) {
        session.runFrames(1);
        ++framesRun;
    }
    test::runEveryFrame(nullptr);
    ASSERT_TRUE(conversation->isFinished());
    EXPECT_EQ(framesWatched, framesRun);
    EXPECT_FALSE(inRunningList(conversation)) << "the runner drops a finished conversation";
    EXPECT_EQ(conversation->index(), -1);

    // One step per frame: the index never skips an item.
    for (std::size_t i = 1; i < indices.size(); ++i) {
        if (indices[i] != -1) {
            EXPECT_LE(indices[i] - indices[i - 1], 1) << "frame " << i;
        }
    }

    EXPECT_EQ(world.speech.lineNames(), (std::vector<std::string>{"GREET_GENERAL", "GENERIC_CURSE_MED"}));
    const sim::SpokenLine& hello = *world.speech.find("GREET_GENERAL");
    const sim::SpokenLine& insult = *world.speech.find("GENERIC_CURSE_MED");
    EXPECT_EQ(hello.ped, madam);
    EXPECT_EQ(insult.ped, target);
    // After the short line: its ten frames, then the pause, then the next line.
    EXPECT_GE(insult.frame, hello.frame + 10 + static_cast<std::uint64_t>(delayFrames(world, 500)));
    EXPECT_LE(insult.frame, hello.frame + 10 + static_cast<std::uint64_t>(delayFrames(world, 500)) + 6);
    EXPECT_FALSE(world.speech.anyCutOff());
    delete conversation;
}

TEST(AsyncConversation, ALineWaitsForTheSpeakerToFallSilentBeforeAndAfter) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int ped = addPedNearPlayer(session, 3.0f);
    world.speech.framesByLine["WHISTLE"] = 40;
    world.speech.framesByLine["GREET_SHOUTED"] = 25;
    startTalking(session, ped, "WHISTLE");

    drovil::AsyncConversation* conversation = nullptr;
    test::startOnScriptThread([&] {
        conversation = drovil::createAsyncConversation();
        conversation->addLine(drovil::Ped(ped), "GREET_SHOUTED", 0);
        conversation->step();
    });
    ASSERT_TRUE(session.runUntil([&] { return conversation && conversation->isFinished(); }, 300));
    const sim::SpokenLine& whistle = *world.speech.find("WHISTLE");
    const sim::SpokenLine* greet = world.speech.find("GREET_SHOUTED");
    ASSERT_NE(greet, nullptr);
    EXPECT_GE(greet->frame, whistle.endFrame);
    EXPECT_FALSE(whistle.cutOff);
    EXPECT_GE(world.clock.frame, greet->endFrame) << "the line is over before the conversation is";
    delete conversation;
}

TEST(AsyncConversation, UnstartedOnesWaitUntouchedAndEmptyOnesFinishAtOnce) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    const int ped = addPedNearPlayer(session, 3.0f);

    drovil::AsyncConversation* waiting = nullptr;
    drovil::AsyncConversation* empty = nullptr;
    test::startOnScriptThread([&] {
        waiting = drovil::createAsyncConversation();
        waiting->addLine(drovil::Ped(ped), "GREET_GENERAL", 500);
        empty = drovil::createAsyncConversation();
        empty->step();
    });
    session.runFrames(1); // the work runs after this frame's runner
    EXPECT_FALSE(empty->isFinished());
    session.runFrames(1);
    EXPECT_TRUE(empty->isFinished()) << "finished on its first runner step";
    EXPECT_FALSE(inRunningList(empty));

    session.runFrames(30);
    EXPECT_TRUE(inRunningList(waiting));
    EXPECT_FALSE(waiting->isFinished());
    EXPECT_EQ(waiting->index(), -1);
    EXPECT_TRUE(session.world().speech.lines().empty()) << "nothing of an unstarted conversation is said";

    // An owner may delete a conversation at any time; it leaves the running list.
    delete waiting;
    EXPECT_FALSE(inRunningList(waiting));
    session.runFrames(2);
    delete empty;
}
