#pragma once
// One function per native family, each implementing that family's natives.
#include "host/native_dispatch.h"
#include "world/core/world.h"

namespace sim {


void implementMiscNatives(NativeDispatch& dispatch, World& world);
void implementPlayerNatives(NativeDispatch& dispatch, World& world);
void implementPedNatives(NativeDispatch& dispatch, World& world);
void implementEntityNatives(NativeDispatch& dispatch, World& world);
void implementDecoratorNatives(NativeDispatch& dispatch, World& world);
void implementInventoryNatives(NativeDispatch& dispatch, World& world);
void implementHudNatives(NativeDispatch& dispatch, World& world);
void implementPromptNatives(NativeDispatch& dispatch, World& world);
void implementPlayerStatusNatives(NativeDispatch& dispatch, World& world);
void implementPedConditionNatives(NativeDispatch& dispatch, World& world);
void implementDoorNatives(NativeDispatch& dispatch, World& world);
void implementStreamingNatives(NativeDispatch& dispatch, World& world);
void implementSpawnNatives(NativeDispatch& dispatch, World& world);
void implementAppearanceNatives(NativeDispatch& dispatch, World& world);
void implementVehicleNatives(NativeDispatch& dispatch, World& world);
void implementRelationshipNatives(NativeDispatch& dispatch, World& world);
void implementRandomFloatNatives(NativeDispatch& dispatch, World& world);
void implementBlipNatives(NativeDispatch& dispatch, World& world);
void implementConditionNatives(NativeDispatch& dispatch, World& world);
void implementPlayerLifeNatives(NativeDispatch& dispatch, World& world);
void implementPedSetupNatives(NativeDispatch& dispatch, World& world);
void implementControlNatives(NativeDispatch& dispatch, World& world);
void implementTimerNatives(NativeDispatch& dispatch, World& world);
void implementGameEventNatives(NativeDispatch& dispatch, World& world);
void implementObjectNatives(NativeDispatch& dispatch, World& world);
void implementDocumentNatives(NativeDispatch& dispatch, World& world);
void implementEntityPlacementNatives(NativeDispatch& dispatch, World& world);
void implementHudVisibilityNatives(NativeDispatch& dispatch, World& world);
void implementStringTestNatives(NativeDispatch& dispatch, World& world);
void implementPedBlackboardNatives(NativeDispatch& dispatch, World& world);
void implementSpeechNatives(NativeDispatch& dispatch, World& world);
void implementPedshotNatives(NativeDispatch& dispatch, World& world);
void implementSaloonNatives(NativeDispatch& dispatch, World& world);
void implementEntityTaskNatives(NativeDispatch& dispatch, World& world);
void implementPerceptionNatives(NativeDispatch& dispatch, World& world);
void implementEnvironmentNatives(NativeDispatch& dispatch, World& world);
void implementCombatNatives(NativeDispatch& dispatch, World& world);
void implementTaskNatives(NativeDispatch& dispatch, World& world);
void implementZoneNatives(NativeDispatch& dispatch, World& world);
void implementScenarioNatives(NativeDispatch& dispatch, World& world);
void implementPathNatives(NativeDispatch& dispatch, World& world);
void implementAmbientNatives(NativeDispatch& dispatch, World& world);
void implementPedStateNatives(NativeDispatch& dispatch, World& world);
void implementGameStateNatives(NativeDispatch& dispatch, World& world);
void implementAnimationNatives(NativeDispatch& dispatch, World& world);
void implementPropsetNatives(NativeDispatch& dispatch, World& world);
void implementAnimalNatives(NativeDispatch& dispatch, World& world);
void implementHuntingNatives(NativeDispatch& dispatch, World& world);
void implementTrafficNatives(NativeDispatch& dispatch, World& world);
void implementTrainNatives(NativeDispatch& dispatch, World& world);
void implementMathNatives(NativeDispatch& dispatch, World& world);
void implementEntityLifetimeNatives(NativeDispatch& dispatch, World& world);
void implementRestraintNatives(NativeDispatch& dispatch, World& world);
void implementRouteNatives(NativeDispatch& dispatch, World& world);
void implementEscortNatives(NativeDispatch& dispatch, World& world);
void implementMenuNatives(NativeDispatch& dispatch, World& world);
void implementHostageNatives(NativeDispatch& dispatch, World& world);
void implementInteriorNatives(NativeDispatch& dispatch, World& world);

} // namespace sim
