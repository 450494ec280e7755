#include "host/sim_host.h"
#include "natives/families.h"

namespace sim {

void implementAllNatives(NativeDispatch& dispatch, World& world) {
    implementMiscNatives(dispatch, world);
    implementPlayerNatives(dispatch, world);
    implementPedNatives(dispatch, world);
    implementEntityNatives(dispatch, world);
    implementDecoratorNatives(dispatch, world);
    implementInventoryNatives(dispatch, world);
    implementHudNatives(dispatch, world);
    implementPromptNatives(dispatch, world);
    implementPlayerStatusNatives(dispatch, world);
    implementPedConditionNatives(dispatch, world);
    implementDoorNatives(dispatch, world);
    implementStreamingNatives(dispatch, world);
    implementSpawnNatives(dispatch, world);
    implementAppearanceNatives(dispatch, world);
    implementVehicleNatives(dispatch, world);
    implementRelationshipNatives(dispatch, world);
    implementRandomFloatNatives(dispatch, world);
    implementBlipNatives(dispatch, world);
    implementConditionNatives(dispatch, world);
    implementPlayerLifeNatives(dispatch, world);
    implementPedSetupNatives(dispatch, world);
    implementControlNatives(dispatch, world);
    implementTimerNatives(dispatch, world);
    implementGameEventNatives(dispatch, world);
    implementObjectNatives(dispatch, world);
    implementDocumentNatives(dispatch, world);
    implementEntityPlacementNatives(dispatch, world);
    implementHudVisibilityNatives(dispatch, world);
    implementStringTestNatives(dispatch, world);
    implementPedBlackboardNatives(dispatch, world);
    implementSpeechNatives(dispatch, world);
    implementPedshotNatives(dispatch, world);
    implementEntityTaskNatives(dispatch, world);
    implementPerceptionNatives(dispatch, world);
    implementEnvironmentNatives(dispatch, world);
    implementCombatNatives(dispatch, world);
    implementTaskNatives(dispatch, world);
    implementZoneNatives(dispatch, world);
    implementScenarioNatives(dispatch, world);
    implementPathNatives(dispatch, world);
    implementAmbientNatives(dispatch, world);
    implementPedStateNatives(dispatch, world);
    implementGameStateNatives(dispatch, world);
    implementAnimationNatives(dispatch, world);
    implementPropsetNatives(dispatch, world);
    implementAnimalNatives(dispatch, world);
    implementHuntingNatives(dispatch, world);
    implementTrafficNatives(dispatch, world);
    implementTrainNatives(dispatch, world);
    implementMathNatives(dispatch, world);
    implementEntityLifetimeNatives(dispatch, world);
    implementEscortNatives(dispatch, world);
    implementMenuNatives(dispatch, world);
    implementHostageNatives(dispatch, world);
    implementSaloonNatives(dispatch, world);
    implementInteriorNatives(dispatch, world);
    implementRestraintNatives(dispatch, world);
    implementRouteNatives(dispatch, world);
}

} // namespace sim
