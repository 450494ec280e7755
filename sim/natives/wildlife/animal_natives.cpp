// What kind of animal a ped is: its animal type, the game's animal classes,
// whether a model is a horse, and the animals' tuning values.
#include "natives/families.h"

#include "world/wildlife/animals.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
// The tuning value the simulator knows: how close a hunter creeps up.
constexpr int approachTuningIndex = 82;

const EntityRecord* pedRecord(const World& world, int id) {
    const EntityRecord* record = world.entities.find(id);
    return record && record->kind == EntityKind::Ped ? record : nullptr;
}
} // namespace

void implementAnimalNatives(NativeDispatch& dispatch, World& world) {
    // People have no animal type (0).
    dispatch.implement<n::animal::animalType>([&world](Ped ped) {
        const EntityRecord* record = pedRecord(world, ped.id);
        return record ? Hash(animalTypeOf(record->model)) : Hash(0);
    });
    dispatch.implement<n::animal::isBird>([&world](Entity entity) {
        const EntityRecord* record = pedRecord(world, entity.id);
        const AnimalKind* kind = record ? animalKindOf(record->model) : nullptr;
        return kind != nullptr && kind->bird;
    });
    // Every animal, horses and dogs and birds among them.
    dispatch.implement<n::animal::isAnimal>([&world](Entity entity) {
        const EntityRecord* record = pedRecord(world, entity.id);
        return record != nullptr && isAnimalModel(record->model);
    });
    dispatch.implement<n::animal::isPredator>([&world](Entity entity) {
        const EntityRecord* record = pedRecord(world, entity.id);
        const AnimalKind* kind = record ? animalKindOf(record->model) : nullptr;
        return kind != nullptr && kind->predator;
    });
    dispatch.implement<n::animal::isHorseModel>([](Hash model) { return isHorseModel(model); });
    // Values the simulator does not model read 0, as the game's do for a ped
    // that is no animal.
    dispatch.implement<n::animal::tuningFloat>([&world](Ped ped, int index) {
        const EntityRecord* record = pedRecord(world, ped.id);
        const AnimalKind* kind = record ? animalKindOf(record->model) : nullptr;
        return kind && index == approachTuningIndex ? kind->approachTuning : 0.0f;
    });
}

} // namespace sim
