#include "engine/executor_factory.h"

#include "executors/camp_executor.h"
#include "executors/hunter_executor.h"
#include "executors/prisoner_transport_executor.h"
#include "executors/saloon_executor.h"
#include "executors/wagon_executor.h"
#include "executors/hotel_executor.h"
#include "executors/street_executor.h"
#include "executors/train_variant_executor.h"
#include "executors/wagon_variant_executor.h"
#include "runtime/log.h"

#include <map>
#include <string>

namespace drovil {
namespace {

std::map<int, ExecutorMaker>& overrides() {
    static auto* makers = new std::map<int, ExecutorMaker>();
    return *makers;
}

// The built-in executors by setting type. A setting whose executor is not part
// of this build gives none, and the mission waits in its area's slot.
std::unique_ptr<BaseContractExecutor> builtInExecutor(MissionData* mission) {
    switch (mission->settingType()) {
    case SettingType::Camp:
        return std::make_unique<CampExecutor>(mission);
    case SettingType::HunterCamp:
        return std::make_unique<HunterExecutor>(mission);
    case SettingType::Wagon:
        return std::make_unique<WagonExecutor>(mission);
    case SettingType::PrisonerTransport:
        return std::make_unique<PrisonerTransportExecutor>(mission);
    case SettingType::Hotel:
        return std::make_unique<HotelExecutor>(mission);
    case SettingType::Street:
        return std::make_unique<StreetExecutor>(mission);
    case SettingType::Saloon:
        return std::make_unique<SaloonExecutor>(mission);
    case SettingType::TrainStation:
        if (mission->variant == 0)
            return std::make_unique<TrainVariantExecutor>(mission);
        if (mission->variant == 1)
            return std::make_unique<WagonVariantExecutor>(mission);
        log("DrovilEngine: unknown train station mission variant: " + std::to_string(mission->variant));
        return nullptr;
    default:
        break;
    }
    log("DrovilEngine: missing mission executor for setting type: " + std::to_string(mission->settingId));
    return nullptr;
}

} // namespace

std::unique_ptr<BaseContractExecutor> createExecutorFor(MissionData* mission) {
    auto custom = overrides().find(mission->settingId);
    if (custom != overrides().end())
        return custom->second(mission);
    return builtInExecutor(mission);
}

void overrideExecutorMaker(SettingType setting, ExecutorMaker maker) {
    if (maker)
        overrides()[static_cast<int>(setting)] = std::move(maker);
    else
        overrides().erase(static_cast<int>(setting));
}

} // namespace drovil
