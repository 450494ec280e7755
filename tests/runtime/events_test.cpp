// Event channels: synchronous, de-duplicated publication.
#include "runtime/events.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct Recorder : drovil::EventsSubscriber<drovil::MissionStatusChangeEvent*> {
    std::vector<drovil::MissionStatusChangeEvent> seen;
    void onEvent(drovil::MissionStatusChangeEvent* event) override { seen.push_back(*event); }
};
} // namespace

TEST(EventsChannel, SubscribingTwiceDeliversOnce) {
    drovil::EventsChannel<drovil::MissionStatusChangeEvent*> channel;
    Recorder recorder;
    channel.subscribe(&recorder);
    channel.subscribe(&recorder);
    drovil::MissionStatusChangeEvent event{0, 1, 7};
    channel.publish(&event);
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(recorder.seen[0].previousStatus, 0);
    EXPECT_EQ(recorder.seen[0].newStatus, 1);
    EXPECT_EQ(recorder.seen[0].missionId, 7);
}

TEST(EventsChannel, NoSubscribersIsFine) {
    drovil::EventsChannel<drovil::GuardModeChange> channel;
    channel.publish(drovil::GuardModeChange{});
    EXPECT_EQ(channel.subscriberCount(), 0u);
}

namespace {
// A subscriber that acts on the publisher while it is being told, as the engine
// does when it cleans up an executor announcing its own end.
struct SelfRemovingPublisher : drovil::EventsChannel<drovil::ContractAcceptedEvent*> {};
struct Reentrant : drovil::EventsSubscriber<drovil::ContractAcceptedEvent*> {
    SelfRemovingPublisher* publisher = nullptr;
    Reentrant* other = nullptr;
    int calls = 0;
    void onEvent(drovil::ContractAcceptedEvent*) override {
        ++calls;
        if (other)
            publisher->subscribe(other); // joins during publication: told from the next one
    }
};
} // namespace

TEST(EventsChannel, SubscribingDuringPublicationIsSafe) {
    SelfRemovingPublisher publisher;
    Reentrant first, late;
    first.publisher = &publisher;
    first.other = &late;
    publisher.subscribe(&first);
    drovil::ContractAcceptedEvent event{42};
    publisher.publish(&event);
    EXPECT_EQ(first.calls, 1);
    publisher.publish(&event);
    EXPECT_EQ(first.calls, 2);
    EXPECT_EQ(late.calls, 1);
}
