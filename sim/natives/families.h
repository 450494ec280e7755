#pragma once
// One function per native family, each implementing that family's natives.
#include "host/native_dispatch.h"
#include "world/world.h"

namespace sim {


void implementMiscNatives(NativeDispatch& dispatch, World& world);
void implementPlayerNatives(NativeDispatch& dispatch, World& world);
void implementPedNatives(NativeDispatch& dispatch, World& world);
void implementEntityNatives(NativeDispatch& dispatch, World& world);
void implementDecoratorNatives(NativeDispatch& dispatch, World& world);
void implementInventoryNatives(NativeDispatch& dispatch, World& world);
void implementHudNatives(NativeDispatch& dispatch, World& world);

} // namespace sim
