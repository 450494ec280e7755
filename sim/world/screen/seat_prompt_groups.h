#pragma once
// While the player sits (on a chair, a bench, porch steps, a bar stool, by a
// camp fire), the game shows the prompts of the seat's own prompt group: the
// group is the frame's active one unless a script makes another active.
#include <cstdint>

namespace sim {

struct World;

// The prompt group the game shows for a seat of this scenario point type, 0
// for a point type that has none.
std::uint32_t seatPromptGroup(std::uint32_t pointType);

// Makes the group of the seat the player uses the frame's active group.
void showSeatPromptGroup(World& world);

} // namespace sim
