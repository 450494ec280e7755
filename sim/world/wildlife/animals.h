#pragma once
// The animals of the simulated game: which models are horses and which are
// other animals, as the game's model catalogue tells them apart, and what the
// game knows of each wild kind: its animal type (the hash of the game's AT_
// name), the classes it sorts animals into (bird, predator), its tuning values
// and how it keeps away from people. Animals are peds; a horse can carry a rider.
#include <cstdint>

namespace sim {

struct AnimalKind {
    const char* model;
    const char* typeName; // the game's animal type name, hashed for its type
    bool bird = false;
    bool predator = false;
    // The game's animal tuning value 82 (metres): how close a stalking hunter
    // should get before he shoots, scaled by his skill.
    float approachTuning = 10.0f;
    int health = 20;
    // A person standing (crouched: a third as far) this close alarms the animal.
    float alertDistance = 20.0f;
    float fleeSpeed = 8.0f; // metres per second
};

bool isHorseModel(std::uint32_t model);
// Horses, dogs, game animals and birds: every ped model that is not a person.
bool isAnimalModel(std::uint32_t model);
// The wild or domestic kind of a model; null for people and horses.
const AnimalKind* animalKindOf(std::uint32_t model);
// The game's animal type of a model: AT_HORSE for horses, the kind's type for
// other animals, 0 for people.
std::uint32_t animalTypeOf(std::uint32_t model);

} // namespace sim
