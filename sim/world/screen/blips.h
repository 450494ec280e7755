#pragma once
// The map's blips: on entities, at points and over areas, with the sprite,
// modifiers, names and scale the scripts give them. Removed blips are forgotten; whatever
// is still listed at the end of a session is a blip some script never removed.
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace sim {

enum class BlipKind { Entity, Coords, Radius };

struct BlipRecord {
    int id = 0;
    BlipKind kind = BlipKind::Coords;
    std::uint32_t style = 0;
    int entity = 0;           // BlipKind::Entity
    drovil::Vector3 position; // BlipKind::Coords and BlipKind::Radius
    float radius = 0.0f;      // BlipKind::Radius
    float scale = 1.0f;
    std::string name;
    std::uint32_t sprite = 0;             // the picture it shows; 0 for its style's own
    std::vector<std::uint32_t> modifiers; // added by scripts, in order
    std::uint64_t createdFrame = 0;

    bool hasModifier(std::uint32_t modifier) const;
};

class Blips {
public:
    BlipRecord& create(BlipKind kind, std::uint32_t style, std::uint64_t frame);
    BlipRecord* find(int id);
    const BlipRecord* find(int id) const;
    bool exists(int id) const { return find(id) != nullptr; }
    // Removes the blip; false when there was no such blip.
    bool remove(int id);

    // The blip on an entity (the most recent one), or null.
    const BlipRecord* onEntity(int entity) const;
    // Every blip with this name, oldest first.
    std::vector<const BlipRecord*> named(const std::string& name) const;
    const std::map<int, BlipRecord>& all() const { return records_; }
    int removedCount() const { return removed_; }

    // One line per blip still on the map ("blip 7 radius style 0x... name ..."),
    // empty when every blip was removed.
    std::string leftOverReport() const;

private:
    int nextId_ = 1;
    int removed_ = 0;
    std::map<int, BlipRecord> records_;
};

} // namespace sim
