#include "world/people/ped_appearance.h"

namespace sim {

const PedAppearance& PedAppearances::find(int ped) const {
    static const PedAppearance* const undressed = new PedAppearance();
    auto it = appearances_.find(ped);
    return it == appearances_.end() ? *undressed : it->second;
}

} // namespace sim
