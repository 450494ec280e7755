#include "runtime/startup_objects.h"

#include "behaviour/async_conversation.h"
#include "behaviour/hostages.h"
#include "engine/drovil_engine.h"
#include "ui/contract_card.h"
#include "ui/contract_menu.h"
#include "ui/contract_viewer.h"
#include "ui/queued_messages.h"
#include "world/map_areas.h"
#include "world/payment_collection_desk.h"
#include "world/payments_service.h"
#include "world/places.h"
#include "world/quest_creator.h"
#include "world/train_stations.h"

#include <vector>

namespace drovil {
namespace {
std::vector<FrameStep>& guardedSteps() {
    static auto* steps = new std::vector<FrameStep>();
    return *steps;
}
} // namespace

void createLongLivedObjects() {
    // The running conversations advance first of all guarded steps, ahead of the
    // help-text and toast flushes.
    registerAsyncPlayablesRunner();
    // The help-text and toast flushes are the first frame steps after the
    // running conversations' step, ahead of every object's own step.
    addQueuedMessageSteps();
    // In order: place registry, train station registry, map areas, quest
    // creator, contract viewer, contract menu, hostage system, payments service,
    // payment collection desk, contract card holder, contract engine.
    createPlaceRegistry();         // 1
    createTrainStations();         // 2
    createMapAreas();              // 3
    createQuestCreator();          // 4
    createContractViewer();        // 5
    createContractMenu();          // 6
    createHostageSystem();         // 7
    createPaymentsService();       // 8
    createPaymentCollectionDesk(); // 9
    createContractCard();          // 10
    createDrovilEngine();          // 11
    // The engine's update drives the menu, the viewer, the desk, the quest offers and
    // every executor.
    addGuardedFrameStep(updateDrovilEngine);
}

void addGuardedFrameStep(FrameStep step) { guardedSteps().push_back(step); }

void runGuardedFrameSteps() {
    // In order: the running conversations, the help-text and toast flushes, the
    // contract engine's update.
    for (FrameStep step : guardedSteps())
        step();
}

} // namespace drovil
