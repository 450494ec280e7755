#pragma once
// Typed publish/subscribe: a publisher announces a change to whoever
// subscribed, synchronously, without knowing who they are.
#include "runtime/types.h"

#include <cstdint>
#include <set>

namespace drovil {

template <class T> class EventsSubscriber {
public:
    virtual ~EventsSubscriber() = default;
    virtual void onEvent(T event) = 0;
};

template <class T> class EventsChannel {
public:
    void subscribe(EventsSubscriber<T>* subscriber) { subscribers_.insert(subscriber); }

    // Calls every subscriber in turn before returning. The set is copied first:
    // a subscriber may act on the publisher while it is being told.
    void publish(T event) {
        const std::set<EventsSubscriber<T>*> current = subscribers_;
        for (EventsSubscriber<T>* subscriber : current)
            subscriber->onEvent(event);
    }

    std::size_t subscriberCount() const { return subscribers_.size(); }

private:
    std::set<EventsSubscriber<T>*> subscribers_;
};

struct MissionStatusChangeEvent {
    std::int32_t previousStatus = 0;
    std::int32_t newStatus = 0;
    std::int32_t missionId = 0;
};

struct ContractAcceptedEvent {
    std::int32_t areaId = 0;
};

struct GuardModeChange {
    std::int32_t ped = 0;
    std::int32_t previousMode = 0;
    std::int32_t newMode = 0;
    std::int32_t unused = 0;
    Vector3 position;
    std::int64_t reserved = 0;
};

} // namespace drovil
