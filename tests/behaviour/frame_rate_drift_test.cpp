// Waits that count frames from the game's frame time last a different stretch
// of game time at another frame rate: a ped task's wait and a conversation's
// pause scale by the frame time once to get a frame count, and the frames
// themselves last the frame time again, so at 60 frames a second they are over
// in about a quarter of the game time they take at 30. Pinned here so that a
// change to them is deliberate; the scenarios at both rates show the rest
// (drovil-sim --fps).
#include "support/game.h"
#include "support/script_thread.h"

#include "behaviour/async_conversation.h"
#include "behaviour/async_ped_task.h"
#include "runtime/natives.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

// Waits once, in its first step, then finishes at its second.
class WaitOnce : public drovil::AsyncPedTask {
public:
    WaitOnce(drovil::Ped ped, sim::World& world, int amount) : AsyncPedTask(ped), world_(world), amount_(amount) {}
    bool isFinished() override { return stepsAt.size() >= 2; }
    void step() override {
        stepsAt.push_back(world_.clock.elapsedMs);
        if (stepsAt.size() == 1)
            waitFor(amount_);
    }
    std::vector<std::uint64_t> stepsAt;

private:
    sim::World& world_;
    int amount_;
};

// Game time from a ped task's waiting step to its next step.
std::uint64_t pedTaskWaitMs(sim::Session& session, int amount) {
    std::unique_ptr<drovil::AsyncPedTask> task;
    WaitOnce* waiting = nullptr;
    test::startOnScriptThread([&] {
        auto made = std::make_unique<WaitOnce>(drovil::natives::player::playerPed(), session.world(), amount);
        waiting = made.get();
        task = std::move(made);
    });
    test::runEveryFrame([&] {
        if (task && task->isRunning())
            task->tick();
    });
    const bool done = session.runUntil([&] { return waiting && waiting->isFinished(); }, 1000);
    test::runEveryFrame(nullptr);
    EXPECT_TRUE(done);
    return done ? waiting->stepsAt[1] - waiting->stepsAt[0] : 0;
}

// Game time a conversation's pause of `length` stays busy.
std::uint64_t conversationPauseMs(sim::Session& session, int length) {
    drovil::AsyncConversationDelay pause(length);
    std::uint64_t startedAt = 0, endedAt = 0;
    bool started = false;
    test::runEveryFrame([&] {
        if (endedAt != 0)
            return;
        pause.step();
        if (!started) {
            started = pause.isBusy();
            startedAt = session.world().clock.elapsedMs;
        } else if (!pause.isBusy()) {
            endedAt = session.world().clock.elapsedMs;
        }
    });
    const bool done = session.runUntil([&] { return endedAt != 0; }, 1000);
    test::runEveryFrame(nullptr);
    EXPECT_TRUE(done);
    return done ? endedAt - startedAt : 0;
}

} // namespace

TEST(FrameRateDrift, FrameCountedWaitsLastAboutAQuarterAsLongAtTwiceTheFrameRate) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();

    world.clock.frameMs = 33; // about 30 frames a second
    const std::uint64_t taskWaitAt30 = pedTaskWaitMs(session, 500);
    const std::uint64_t pauseAt30 = conversationPauseMs(session, 1000);
    world.clock.frameMs = 17; // about 60 frames a second
    const std::uint64_t taskWaitAt60 = pedTaskWaitMs(session, 500);
    const std::uint64_t pauseAt60 = conversationPauseMs(session, 1000);

    // 500 x 0.033 = 16 frames of 33 ms, then the step's own frame; 500 x 0.017 = 8 of 17 ms.
    EXPECT_EQ(taskWaitAt30, 17u * 33u);
    EXPECT_EQ(taskWaitAt60, 9u * 17u);
    // 1000 counted down by 1 / 0.033 = 30.3 a frame: 33 frames; by 1 / 0.017 = 58.8: 17 frames.
    EXPECT_EQ(pauseAt30, 33u * 33u);
    EXPECT_EQ(pauseAt60, 17u * 17u);
    EXPECT_LT(taskWaitAt60 * 3, taskWaitAt30) << "the same wait is over far sooner at 60 frames a second";
    EXPECT_LT(pauseAt60 * 3, pauseAt30);
}
