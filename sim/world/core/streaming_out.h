#pragma once
// The game clearing away what scripts handed back to it: an entity a script
// released, or a propset it released, stays while the player is about and is
// streamed out once he is far enough away, taking its blips with it. A model
// no script holds any longer is unloaded once nothing of it is left.
namespace sim {

struct World;

// Beyond this distance from the player released things are streamed out.
inline constexpr float streamOutDistance = 400.0f;

// The game looks about every second, and only while the player is in the world.
bool isStreamOutFrame(const World& world);

void streamOutReleased(World& world);

} // namespace sim
