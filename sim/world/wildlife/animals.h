#pragma once
// The animals of the simulated game: which models are horses and which are
// other animals, as the game's model catalogue tells them apart. Animals are
// peds; a horse can carry a rider.
#include <cstdint>

namespace sim {

bool isHorseModel(std::uint32_t model);
// Horses, dogs, game animals and birds: every ped model that is not a person.
bool isAnimalModel(std::uint32_t model);

} // namespace sim
