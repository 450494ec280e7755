#pragma once
// What the game knows of a ped beyond its body and its tasks, as a threatened
// ped shows it: its sex (by its model), its accuracy (0 to 100, which the
// game gives every ped and scripts read as its nerve), how fast it moves, a
// fall to the ground (ragdoll) and being shoved by someone walking into it.
#include "runtime/types.h"

#include <cstdint>
#include <map>

namespace sim {

struct World;

class PedTraits {
public:
    static bool isMaleModel(std::uint32_t model);

    // The ped's accuracy: one a test or the world set, else the game's own for
    // the ped, from 20 to 60 and the same for the same ped in every run.
    int accuracyOf(const World& world, int ped) const;
    void setAccuracy(int ped, int accuracy) { accuracy_[ped] = accuracy; }

    // How drunk the ped is (0 sober to 1 very drunk); a level a script set
    // while drunkenness was off does not show.
    float drunkennessOf(int ped) const;
    void setDrunkenness(int ped, bool enabled, float level);
    // The ped drank: drunker by `amount`, never past 1.
    void drinkFor(int ped, float amount);

    // Metres per second the entity moved in the last frame.
    float speedOf(int entity) const;

    // The ped falls and lies as a ragdoll for a while.
    void knockDown(int ped, std::uint64_t nowMs, std::uint64_t forMs) { ragdollUntil_[ped] = nowMs + forMs; }
    bool isRagdoll(int ped, std::uint64_t nowMs) const;

    // Someone walked into the ped within the last `ms` milliseconds.
    bool shovedWithin(int ped, std::uint64_t nowMs, int ms) const;
    int shoves(int ped) const;

    // One frame: speeds from the last positions; the player walking into a
    // ped on foot shoves it half a metre aside.
    void step(World& world);

    // The ped is gone from the world: its records go too.
    void forget(int ped) {
        accuracy_.erase(ped), drunkenness_.erase(ped), lastPosition_.erase(ped), speed_.erase(ped);
        ragdollUntil_.erase(ped), shovedAt_.erase(ped), shoves_.erase(ped);
    }

private:
    std::map<int, int> accuracy_;
    std::map<int, float> drunkenness_;
    std::map<int, drovil::Vector3> lastPosition_;
    std::map<int, float> speed_;
    std::map<int, std::uint64_t> ragdollUntil_;
    std::map<int, std::uint64_t> shovedAt_;
    std::map<int, int> shoves_;
    std::uint64_t lastStepMs_ = 0;
    bool stepped_ = false;
};

} // namespace sim
