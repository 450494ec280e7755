// The game's own arithmetic: sine and cosine of angles in degrees.
#include "natives/families.h"

#include <cmath>

namespace sim {
namespace n = drovil::natives::decl;

void implementMathNatives(NativeDispatch& dispatch, World&) {
    constexpr double radiansPerDegree = 3.14159265358979323846 / 180.0;
    dispatch.implement<n::misc::sine>(
        [](float degrees) { return static_cast<float>(std::sin(degrees * radiansPerDegree)); });
    dispatch.implement<n::misc::cosine>(
        [](float degrees) { return static_cast<float>(std::cos(degrees * radiansPerDegree)); });
}

} // namespace sim
