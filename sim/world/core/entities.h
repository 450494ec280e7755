#pragma once
// Every entity of the simulated world (peds, vehicles, objects) by handle.
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <string>

namespace sim {

enum class EntityKind { Ped, Vehicle, Object };

struct EntityRecord {
    int id = 0;
    EntityKind kind = EntityKind::Ped;
    std::uint32_t model = 0;
    drovil::Vector3 position;
    float heading = 0.0f; // degrees, 0 facing north (+y), counter-clockwise
    bool alive = true;
    std::map<std::string, int> decorators;
    std::map<std::string, float> floatDecorators;
    std::map<int, bool> configFlags; // as scripts set them
    // A mission entity: one a script created or took over. The game neither
    // moves it about nor takes it away until the script lets it go.
    bool missionEntity = false;
    // Goes on with its task whatever happens around it (no fleeing, no reacting).
    bool blocksNonTemporaryEvents = false;
    bool invincible = false;
    bool collision = true;
    // Tied up with a lasso or by hand: lies bound, neither fleeing nor fighting.
    bool hogtied = false;
    // Out of action without being dead: the ped counts as down until it comes to.
    bool knockedOut = false;
    // The ped the game has this ped fighting (0: not in combat).
    int combatOpponent = 0;
    // Placement and visibility a script gave the entity.
    bool frozen = false;
    bool visible = true;
    // Named values on a ped's blackboard, read by the game's animations, prompts
    // and senses. A number is kept until `untilMs` (0 for good).
    std::map<std::string, bool> blackboard;
    struct TimedFloat {
        float value = 0.0f;
        std::uint64_t untilMs = 0;
    };
    std::map<std::string, TimedFloat> blackboardFloats;
};

class Entities {
public:
    EntityRecord& create(EntityKind kind, std::uint32_t model, drovil::Vector3 position, float heading);
    // The same for an entity the world keeps apart from everything else it
    // makes (the lawman at a sheriff's desk): its handle comes from a range of
    // its own, so the handles of everything else, and what the world derives
    // from them, are what they would be without it.
    EntityRecord& createApart(EntityKind kind, std::uint32_t model, drovil::Vector3 position, float heading);
    EntityRecord* find(int id);
    const EntityRecord* find(int id) const;
    bool exists(int id) const { return find(id) != nullptr; }
    void remove(int id) { records_.erase(id); }
    const std::map<int, EntityRecord>& all() const { return records_; }
    std::map<int, EntityRecord>& all() { return records_; }

private:
    EntityRecord& createWithId(int id, EntityKind kind, std::uint32_t model, drovil::Vector3 position,
                               float heading);
    int nextId_ = 1000;
    int nextApartId_ = 900'000'000;
    std::map<int, EntityRecord> records_;
};

// The facing of an entity as a unit vector in the ground plane.
drovil::Vector3 forwardOf(float headingDegrees);

} // namespace sim
