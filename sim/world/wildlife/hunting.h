#pragma once
// What hunting needs of the simulated game beyond the animals themselves:
// carrying (a ped picks up a carcass or a body, carries it over the shoulder
// wherever it goes and lays it down again, or lays it across a horse, which
// then carries it; a carrier who goes down drops it),
// how good a shot every ped is, and the manner a script gave a ped towards
// strangers. The hunting steps of ped tasks (stalking for a clear line of
// sight, aiming at and shooting at an entity, picking up and laying down) are
// in world/wildlife/hunt_steps.h.
#include <cstdint>
#include <map>

namespace sim {

struct World;

class Hunting {
public:
    // --- Carrying ---
    // The ped carrying the entity, 0 for none.
    int carrierOf(int entity) const;
    // The first entity the ped carries, 0 for none.
    int carriedBy(int ped) const;
    // The ped takes the entity up (from anyone who held it).
    void pickUp(World& world, int ped, int entity);
    // The entity is put down where it is (at its carrier's feet).
    void putDown(World& world, int entity);

    // --- Manner ---
    void setPersonality(int ped, std::uint32_t personality) { personality_[ped] = personality; }
    std::uint32_t personality(int ped) const;

    // One frame: carried entities move with their carriers; a carrier who is
    // down or gone drops what he carries.
    void step(World& world);

    // The entity is gone from the world: what it carried or was carried by is let go.
    void forget(int id) {
        carrierOf_.erase(id), personality_.erase(id);
        std::erase_if(carrierOf_, [id](const auto& entry) { return entry.second == id; });
    }

private:
    std::map<int, int> carrierOf_; // carried entity -> carrier
    std::map<int, std::uint32_t> personality_;
};

} // namespace sim
