#pragma once
// Creating a prop (a game object) of a model by name.
#include "runtime/types.h"

namespace drovil {

// Loads the model (waiting frame by frame until the game has it), creates the
// object at `position` with `heading`, frozen when `isStatic`, shown when
// `visible`; a dynamic prop is settled onto the ground. Returns a null handle
// when the game refuses to create it.
Object createObject(const char* model, const Vector3& position, float heading, bool isStatic, bool visible);

} // namespace drovil
