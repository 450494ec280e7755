#pragma once
// The law answering gunfire in town: a while after the player became wanted
// there, lawmen come from the edge of the street, weapons out, and go for him;
// they keep after him for as long as he is wanted. Once he has shaken the law
// off they give up, and the game takes them away when the player is far from
// them.
#include <cstdint>
#include <vector>

namespace sim {

struct World;

class LawResponse {
public:
    // How long after the offence the lawmen come, how many, and from how far.
    static constexpr std::uint64_t responseDelayMs = 8000;
    static constexpr int lawmenPerResponse = 2;
    static constexpr float comeFromDistance = 70.0f;
    // Lawmen who gave up go once the player is this far from them.
    static constexpr float goneDistance = 150.0f;

    void step(World& world);

    const std::vector<int>& lawmen() const { return lawmen_; }
    // How many times lawmen have come in this session.
    int responses() const { return responses_; }

private:
    void respond(World& world);

    bool wantedBefore_ = false;
    std::uint64_t wantedSinceMs_ = 0;
    bool answered_ = false;
    std::vector<int> lawmen_;
    int responses_ = 0;
};

} // namespace sim
