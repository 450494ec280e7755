// What a ped is and does: riding, on foot, a person, fighting.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
const EntityRecord* pedRecord(const World& world, int id) {
    const EntityRecord* record = world.entities.find(id);
    return record && record->kind == EntityKind::Ped ? record : nullptr;
}

// The animals the game's scripts ride or hunt, by model. Any ped that carries a
// rider is an animal too, whatever its model.
bool isAnimalModel(std::uint32_t model) {
    static const auto* animals = [] {
        auto* set = new std::vector<std::uint32_t>();
        for (const char* name :
             {"a_c_horse_kentuckysaddle_black", "a_c_horse_morgan_bay", "a_c_horse_tennesseewalker_chestnut",
              "a_c_horse_americanstandardbred_black", "a_c_dogcatahoulacur_01", "a_c_deer_01",
              "a_c_rabbit_01", "a_c_cow", "a_c_pig_01", "a_c_chicken_01", "a_c_wolf", "a_c_bear_01"})
            set->push_back(gameHash(name));
        return set;
    }();
    for (std::uint32_t animal : *animals)
        if (animal == model)
            return true;
    return false;
}
} // namespace

void implementPedStateNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::pedstate::isRiding>([&world](Ped ped) {
        return pedRecord(world, ped.id) != nullptr && world.seats.seatOf(ped.id).has_value();
    });
    dispatch.implement<n::pedstate::isOnFoot>([&world](Ped ped) {
        return pedRecord(world, ped.id) != nullptr && !world.seats.seatOf(ped.id).has_value();
    });
    dispatch.implement<n::pedstate::isHuman>([&world](Ped ped) {
        const EntityRecord* record = pedRecord(world, ped.id);
        return record != nullptr && !world.seats.hasSeats(ped.id) && !isAnimalModel(record->model);
    });
    dispatch.implement<n::pedstate::isFighting>(
        [&world](Ped ped) { return pedRecord(world, ped.id) != nullptr && Combat::inCombat(world, ped.id); });
}

} // namespace sim
