// Multi-frame ped tasks as their owners drive them: one tick a frame, waits
// counted in frames from the game's rate value, and the follow-up task taking
// over once a task stops running.
#include "behaviour/behaviour_rig.h"
#include "support/game.h"

#include "behaviour/async_ped_task.h"
#include "runtime/natives.h"

#include <gtest/gtest.h>

#include <memory>

using namespace behaviourtest;

namespace {

// Walks a ped to a point in two legs, pausing between them; a task of its own
// follows it.
class TwoLegWalk : public drovil::AsyncPedTask {
public:
    TwoLegWalk(drovil::Ped ped, drovil::Vector3 first, drovil::Vector3 second,
               std::vector<std::uint64_t>& steps, sim::Session& session)
        : AsyncPedTask(ped), first_(first), second_(second), steps_(steps), session_(session) {
        drovil::natives::task::goToPoint(ped, first_, 1.0f, -1, 0.5f, 0, 0.0f);
    }
    bool isFinished() override { return leg_ == 3; }
    drovil::AsyncPedTask* next() override { return new Lookout(getPed()); }
    void step() override {
        steps_.push_back(session_.world().clock.frame);
        const bool busy = session_.world().tasks.busy(getPed().id);
        if (leg_ == 0 && !busy) {
            leg_ = 1;
            waitFor(500);
        } else if (leg_ == 1) {
            drovil::natives::task::goToPoint(getPed(), second_, 1.0f, -1, 0.5f, 0, 0.0f);
            leg_ = 2;
        } else if (leg_ == 2 && !busy) {
            leg_ = 3;
        }
    }

    class Lookout : public drovil::AsyncPedTask {
    public:
        explicit Lookout(drovil::Ped ped) : AsyncPedTask(ped) {}
        bool isFinished() override { return false; }
        void step() override { ++steps; }
        int steps = 0;
    };

private:
    drovil::Vector3 first_, second_;
    int leg_ = 0;
    std::vector<std::uint64_t>& steps_;
    sim::Session& session_;
};

} // namespace

TEST(AsyncPedTask, TicksEachFrameWaitsInFramesAndHandsOverToItsFollower) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int ped = addPedNearPlayer(session, 5.0f);
    const drovil::Vector3 start = world.entities.find(ped)->position;
    const drovil::Vector3 first(start.x + 3.0f, start.y, start.z);
    const drovil::Vector3 second(start.x + 3.0f, start.y + 3.0f, start.z);

    std::vector<std::uint64_t> steps;
    std::unique_ptr<drovil::AsyncPedTask> task;
    int waitAfterFirstLeg = -1;
    test::startOnScriptThread(
        [&] { task = std::make_unique<TwoLegWalk>(drovil::Ped(ped), first, second, steps, session); });
    test::runEveryFrame([&] {
        drovil::driveAsyncPedTask(task);
        if (waitAfterFirstLeg < 0 && task && task->waitFrames() > 0)
            waitAfterFirstLeg = task->waitFrames();
    });
    ASSERT_TRUE(
        session.runUntil([&] { return dynamic_cast<TwoLegWalk::Lookout*>(task.get()) != nullptr; }, 600));
    test::runEveryFrame(nullptr);

    // The ped really walked both legs, at walking pace.
    const sim::EntityRecord& record = *world.entities.find(ped);
    EXPECT_NEAR(record.position.x, second.x, 0.6f);
    EXPECT_NEAR(record.position.y, second.y, 0.6f);
    const std::uint64_t walkingFrames = steps.back() - steps.front();
    EXPECT_GT(walkingFrames, 6.0f / (1.4f * 0.033f) * 0.8f) << "6 m at a walk takes over four seconds";

    // The wait after the first leg: 500 scaled by the game's rate, in frames, with no step inside it.
    const int expectedWait = static_cast<int>(500.0f * (static_cast<float>(world.clock.frameMs) / 1000.0f));
    EXPECT_EQ(waitAfterFirstLeg, expectedWait);
    bool gapFound = false;
    for (std::size_t i = 1; i < steps.size(); ++i) {
        const std::uint64_t gap = steps[i] - steps[i - 1];
        EXPECT_TRUE(gap == 1 || gap == static_cast<std::uint64_t>(expectedWait) + 1) << "gap " << gap;
        gapFound = gapFound || gap == static_cast<std::uint64_t>(expectedWait) + 1;
    }
    EXPECT_TRUE(gapFound);
    EXPECT_EQ(task->getPed(), drovil::Ped(ped));
}
