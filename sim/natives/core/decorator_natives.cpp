#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementDecoratorNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::decorator::registerName>([&world](const char* name, int) {
        if (name && !world.decoratorRegistered(name))
            world.registeredDecorators.emplace_back(name);
    });
    auto set = [&world](Entity entity, const char* name, int value) {
        EntityRecord* record = world.entities.find(entity.id);
        if (!record || !name)
            return false;
        record->decorators[name] = value;
        return true;
    };
    dispatch.implement<n::decorator::setInt>(set);
    dispatch.implement<n::decorator::setFloat>([&world](Entity entity, const char* name, float value) {
        EntityRecord* record = world.entities.find(entity.id);
        if (!record || !name)
            return false;
        record->floatDecorators[name] = value;
        return true;
    });
    // An unset decorator (or a missing entity) reads as 0; a float decorator of
    // the name is not an integer one.
    dispatch.implement<n::decorator::getInt>([&world](Entity entity, const char* name) {
        const EntityRecord* record = world.entities.find(entity.id);
        if (!record || !name)
            return 0;
        auto found = record->decorators.find(name);
        return found == record->decorators.end() ? 0 : found->second;
    });
}

} // namespace sim
