#pragma once
// Value types shared by the plug-in and the game: positions and the typed
// handles the game issues. Handles are distinct types so that a ped is never
// silently passed where a vehicle, a blip or a plain integer is expected.
#include <cstdint>

namespace drovil {

// A position as the game returns it: three floats, each in its own 8-byte slot.
struct Vector3 {
    alignas(8) float x = 0.0f;
    alignas(8) float y = 0.0f;
    alignas(8) float z = 0.0f;

    Vector3() = default;
    constexpr Vector3(float px, float py, float pz) : x(px), y(py), z(pz) {}
};
static_assert(sizeof(Vector3) == 24, "Vector3 must match the game's three 8-byte slots");

using Hash = std::uint32_t;

// A 32-bit handle of one kind. `Tag` only tells the kinds apart.
template <class Tag> struct Handle {
    std::int32_t id = 0;

    constexpr Handle() = default;
    constexpr explicit Handle(std::int32_t value) : id(value) {}
    constexpr explicit operator bool() const { return id != 0; }
    friend constexpr bool operator==(Handle a, Handle b) { return a.id == b.id; }
    friend constexpr bool operator<(Handle a, Handle b) { return a.id < b.id; }
};

struct EntityTag;
struct PedTag;
struct VehicleTag;
struct ObjectTag;
struct BlipTag;
struct PromptTag;
struct PlayerTag;
struct PropsetTag;
struct ScenarioTag;
struct SequenceTag;
struct GameStringTag;

// Any game entity: a ped, a vehicle or an object.
struct Entity : Handle<EntityTag> {
    using Handle::Handle;
};

// Peds, vehicles and objects are entities; the conversion is explicit at the call
// site (`ped.entity()`), never implicit.
struct Ped : Handle<PedTag> {
    using Handle::Handle;
    constexpr Entity entity() const { return Entity(id); }
};
struct Vehicle : Handle<VehicleTag> {
    using Handle::Handle;
    constexpr Entity entity() const { return Entity(id); }
};
struct Object : Handle<ObjectTag> {
    using Handle::Handle;
    constexpr Entity entity() const { return Entity(id); }
};

using Blip = Handle<BlipTag>;
using PromptHandle = Handle<PromptTag>;
using PlayerIndex = Handle<PlayerTag>;
using Propset = Handle<PropsetTag>;
using ScenarioPoint = Handle<ScenarioTag>;
using TaskSequence = Handle<SequenceTag>;

// A string handle made by the game from a text (64-bit, opaque to the plug-in).
struct GameString {
    std::uint64_t value = 0;
};

} // namespace drovil
