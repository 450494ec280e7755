#include "runtime/frame_reads.h"

#include "runtime/host_api.h"
#include "runtime/natives.h"
#include "runtime/player.h"

#include <cstdint>

namespace drovil {
namespace {

template <class T> using Read = PerYield<T>;

struct ZoneRead {
    int kind = -1; // -1: a free slot
    Read<Hash> zone;
};

Read<PlayerIndex> index;
Read<Vector3> position;
Read<bool> wanted;
Read<Entity> targeted;
// By zone kind (town, district, the last-resort kind...): a few at the most.
ZoneRead zones[4];
// The ped the position belongs to: a new player ped (after death) is read anew.
Ped positionOf;
Read<bool> missionFlag;

// A few entities' values, by handle, for the current yield; when full, a value
// is read without being kept.
template <class T> struct ByEntity {
    static constexpr int slots = 32;
    struct Slot {
        int id = 0;
        T value{};
    };
    Slot entries[slots];
    int used = 0;
    std::uint64_t readAt = ~std::uint64_t{0};

    template <class Fetch> T get(int id, Fetch fetch) {
        if (readAt != yieldCount()) {
            readAt = yieldCount();
            used = 0;
        }
        for (int i = 0; i < used; ++i)
            if (entries[i].id == id)
                return entries[i].value;
        const T value = fetch();
        if (used < slots)
            entries[used++] = Slot{id, value};
        return value;
    }
    void forget() { readAt = ~std::uint64_t{0}; }
};

ByEntity<Vector3> positions;
ByEntity<bool> deaths;
ByEntity<bool> fleeing;
ByEntity<bool> hogtied;
ByEntity<bool> fighting;
ByEntity<int> eventCounts; // by event group
Read<int> timerMs;

} // namespace

PlayerIndex playerIndex() {
    return index.get([] { return natives::player::playerIndex(); });
}

Vector3 playerPosition() {
    if (positionOf != playerPed()) {
        positionOf = playerPed();
        position.forget();
    }
    return position.get([] { return natives::entity::position(playerPed().entity(), true, false); });
}

bool playerWanted() {
    return wanted.get([] { return natives::player::lawIncidentActive(playerIndex()); });
}

Entity playerTargetEntity() {
    return targeted.get([] {
        Entity entity;
        if (!natives::player::targetEntity(playerIndex(), &entity))
            return Entity();
        return entity;
    });
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

bool gameMissionFlag() {
    return missionFlag.get([] { return natives::gamestate::missionFlag(); });
}

void setGameMissionFlag(bool on) {
    natives::gamestate::setMissionFlag(on);
    missionFlag.forget();
}

Vector3 entityPosition(Entity entity) {
    if (entity == playerPed().entity())
        return playerPosition();
    return positions.get(entity.id, [entity] { return natives::entity::position(entity, true, false); });
}

bool entityDead(Ped ped) {
    return deaths.get(ped.id, [ped] { return natives::condition::entityIsDead(ped); });
}

bool pedFleeing(Ped ped) {
    return fleeing.get(ped.id, [ped] { return natives::ped::isFleeing(ped); });
}

bool pedHogtied(Ped ped) {
    return hogtied.get(ped.id, [ped] { return natives::ped::isHogtied(ped); });
}

bool pedFightingPlayer(Ped ped) {
    return fighting.get(ped.id, [ped] { return natives::condition::pedInCombatWith(ped, playerPed()); });
}

int gameTimerMs() {
    return timerMs.get([] { return natives::timer::clockMs(); });
}

int queuedEventCount(int group) {
    return eventCounts.get(group, [group] { return natives::gameevent::queuedCount(group); });
}

void forgetFrameReads() {
    missionFlag.forget();
    positions.forget();
    deaths.forget();
    fleeing.forget();
    hogtied.forget();
    fighting.forget();
    eventCounts.forget();
    timerMs.forget();
    index.forget();
    position.forget();
    wanted.forget();
    targeted.forget();
    for (ZoneRead& entry : zones)
        entry.zone.forget();
}

} // namespace drovil
