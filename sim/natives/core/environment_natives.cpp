// The weather and the hour of the game's clock.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;

void implementEnvironmentNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::environment::windSpeed>([&world]() { return world.weather.windSpeed; });
    dispatch.implement<n::environment::rainLevel>([&world]() { return world.weather.rainLevel; });
    dispatch.implement<n::environment::clockHour>([&world]() { return world.clock.hourOfDay(); });
}

} // namespace sim
