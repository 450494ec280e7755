#pragma once
// The towns' sheriff's offices and the lawman at each, as the game keeps them.
// The lawman stands at his desk inside from the moment the player first comes
// within streamInDistance (his handle kept apart from the world's others, so
// nothing else changes for his being there); he is in the law's group. One
// struck down is replaced once the player has been farther than
// streamOutDistance. A script may take
// him over (a mission entity) and send him about; once it lets him go he walks
// back to his desk. From inside he sees only what happens at his door, no
// farther than doorSight, and he has nothing to say to a man carrying a
// hogtied prisoner to him: only a crime, or a wanted man, is the law's
// business (world/law/law.h).
#include "runtime/types.h"

#include <cstdint>
#include <vector>

namespace sim {

struct World;

struct SheriffOffice {
    const char* town;
    drovil::Vector3 door; // in front of the office, on the street
    drovil::Vector3 desk; // inside, where the lawman stands
    const char* lawmanModel;
};

class SheriffOffices {
public:
    static constexpr float streamInDistance = 150.0f;
    static constexpr float streamOutDistance = 250.0f;
    static constexpr float doorSight = 12.0f;

    static const std::vector<SheriffOffice>& all();

    // The lawman of the office now in the world (0: none streamed in).
    int lawmanOf(std::size_t office) const;
    bool isOfficeLawman(int ped) const;

    void step(World& world);

private:
    std::vector<int> lawmen_ = std::vector<int>(8, 0);
};

} // namespace sim
