// Events scripts send into the game's event queues, recorded as sent.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementGameEventNatives(NativeDispatch& dispatch, World& world) {
    // The game copies `slots` 8-byte script slots from the block, that is
    // 2 * slots 32-bit values, and so does the simulator: a block shorter than
    // that is read past its end here as in the game.
    // A script event of group 1 whose recipients include the local player (bit
    // 0 of the player bits) reaches the scripts of this game too, the sender's
    // own among them, in the next frame's queue.
    dispatch.implement<n::gameevent::send>(
        [&world](int group, const int* data, int slots, int metadataIndex, const int* playerBits) {
            SentGameEvent event;
            event.frame = world.clock.frame;
            event.group = group;
            event.size = slots;
            event.flags = metadataIndex;
            for (int i = 0; data && i < slots * 2; ++i)
                event.data.push_back(data[i]);
            world.gameEvents.sent.push_back(event);
            if (group == 1 && playerBits && (*playerBits & 1) != 0) {
                QueuedGameEvent received;
                received.group = group;
                received.type = gameHash("EVENT_NETWORK_SCRIPT_EVENT");
                received.data = event.data;
                world.gameEvents.queueForNextFrame(std::move(received));
            }
        });
    dispatch.implement<n::gameevent::queuedCount>(
        [&world](int group) { return static_cast<int>(world.gameEvents.queuedIn(group).size()); });
    dispatch.implement<n::gameevent::queuedType>([&world](int group, int index) {
        const auto events = world.gameEvents.queuedIn(group);
        return index >= 0 && index < static_cast<int>(events.size()) ? events[index]->type : Hash{0};
    });
    dispatch.implement<n::gameevent::queuedData>([&world](int group, int index, int* buffer, int size) {
        const auto events = world.gameEvents.queuedIn(group);
        if (index < 0 || index >= static_cast<int>(events.size()) || !buffer)
            return false;
        // The game copies `size` 8-byte items: the buffer holds size * 2 values.
        const auto& data = events[index]->data;
        for (int i = 0; i < size * 2; ++i)
            buffer[i] = i < static_cast<int>(data.size()) ? data[i] : 0;
        return true;
    });
}

} // namespace sim
