#pragma once
// How each ped looks: whether the game dressed it at random, the outfit preset
// it was given and the catalogue items put on it (a horse's saddle, for one).
#include <cstdint>
#include <map>
#include <vector>

namespace sim {

struct PedAppearance {
    bool randomOutfit = false;
    int outfitPreset = -1; // -1: none chosen
    std::vector<std::uint32_t> shopItems;
};

class PedAppearances {
public:
    PedAppearance& of(int ped) { return appearances_[ped]; }
    // The ped's appearance, or a default one for a ped never dressed.
    const PedAppearance& find(int ped) const;
    void forget(int ped) { appearances_.erase(ped); }

private:
    std::map<int, PedAppearance> appearances_;
};

} // namespace sim
