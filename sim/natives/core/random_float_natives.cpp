#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;

// The random-number service's floats, drawn from the same seeded generator as
// its integers, so one seed reproduces a whole run.
void implementRandomFloatNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::misc::randomFloatBetween>([&world](float low, float high) {
        if (!(high > low))
            return low;
        std::uniform_real_distribution<float> pick(low, high);
        const float value = pick(world.random);
        return value < high ? value : low; // the bound itself is never drawn
    });
}

} // namespace sim
