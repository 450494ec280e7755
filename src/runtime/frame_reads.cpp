#include "runtime/frame_reads.h"

#include "runtime/host_api.h"
#include "runtime/natives.h"
#include "runtime/player.h"

#include <cstdint>

namespace drovil {
namespace {

// One value and the yield it was read in; a yield count of 0 is never current
// once the script runs (start-up yields before anything is read twice).
template <class T> struct Read {
    T value{};
    std::uint64_t readAt = ~std::uint64_t{0};

    template <class Fetch> const T& get(Fetch fetch) {
        const std::uint64_t now = yieldCount();
        if (readAt != now) {
            value = fetch();
            readAt = now;
        }
        return value;
    }
};

struct ZoneRead {
    int kind = -1; // -1: a free slot
    Read<Hash> zone;
};

Read<PlayerIndex> index;
Read<Vector3> position;
Read<bool> wanted;
// By zone kind (town, district, the last-resort kind...): a few at the most.
ZoneRead zones[4];
// The ped the position belongs to: a new player ped (after death) is read anew.
Ped positionOf;

} // namespace

PlayerIndex playerIndex() {
    return index.get([] { return natives::player::playerIndex(); });
}

Vector3 playerPosition() {
    if (positionOf != playerPed()) {
        positionOf = playerPed();
        position.readAt = ~std::uint64_t{0};
    }
    return position.get([] { return natives::entity::position(playerPed().entity(), true, false); });
}

bool playerWanted() {
    return wanted.get([] { return natives::player::lawIncidentActive(playerIndex()); });
}

Hash playerZone(int zoneKind) {
    ZoneRead* slot = nullptr;
    for (ZoneRead& entry : zones) {
        if (entry.kind == zoneKind) {
            slot = &entry;
            break;
        }
        if (!slot && entry.kind == -1)
            slot = &entry;
    }
    if (!slot)
        return natives::zone::zoneAt(playerPosition(), zoneKind);
    slot->kind = zoneKind;
    return slot->zone.get([zoneKind] { return natives::zone::zoneAt(playerPosition(), zoneKind); });
}

void forgetFrameReads() {
    index.readAt = position.readAt = wanted.readAt = ~std::uint64_t{0};
    for (ZoneRead& entry : zones)
        entry.zone.readAt = ~std::uint64_t{0};
}

} // namespace drovil
