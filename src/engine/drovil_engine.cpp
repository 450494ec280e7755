#include "engine/drovil_engine.h"

#include "engine/executor_factory.h"
#include "engine/quest_link.h"
#include "runtime/data_files.h"
#include "runtime/game.h"
#include "runtime/host_api.h"
#include "runtime/log.h"
#include "runtime/main_loop.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "runtime/settings.h"
#include "ui/contract_viewer.h"
#include "ui/lang_format.h"
#include "ui/text.h"
#include "ui/toast.h"
#include "world/map_areas.h"
#include "world/mission_data_files.h"
#include "world/missions_factory.h"
#include "world/payment_collection_desk.h"
#include "world/payments_service.h"

#include <string>

namespace drovil {
namespace {

constexpr int scriptEventGroup = 1;
// A received event is copied into 400 bytes: 50 eight-byte items.
constexpr int eventBufferItems = 50;

std::string areaSlotKey(int areaId) { return "missions." + std::to_string(areaId); }

const std::string& lang(const std::string& key) { return langFile().getString(key); }

} // namespace

DrovilEngine::DrovilEngine() {
    subscribeToQuestOffers(this);
    restoreMissions();
}

BaseContractExecutor* DrovilEngine::find(int missionId) const {
    auto entry = registry_.find(missionId);
    return entry == registry_.end() ? nullptr : entry->second.get();
}

MissionData* DrovilEngine::keepRecord(MissionData record) {
    records_.push_back(std::make_unique<MissionData>(record));
    return records_.back().get();
}

void DrovilEngine::restoreMissions() {
    int count = 0;
    for (const MapArea* area : mapAreas().allAreas()) {
        const int id = savegameFile().getInt(areaSlotKey(area->signedId()), -999);
        if (id < 0 || find(id))
            continue;
        MissionData* mission = MissionDataFiles::instance().loadMission(id);
        if (!mission) {
            log("DrovilEngine: mission data was not loaded in area: " + std::to_string(area->signedId()));
            continue;
        }
        std::unique_ptr<BaseContractExecutor> executor = createExecutor(mission);
        if (!executor) {
            log("DrovilEngine: failed to create a mission executor for mission: " + std::to_string(id));
            continue;
        }
        if (mission->status == MissionStatus::Completed || mission->status == MissionStatus::Failed)
            continue; // it had already ended
        log("DrovilEngine: mission loaded. id: " + std::to_string(id));
        registerExecutor(id, std::move(executor));
        ++count;
    }
    log("DrovilEngine: loaded " + std::to_string(count) + " missions successfuly");
}

std::unique_ptr<BaseContractExecutor> DrovilEngine::createExecutor(MissionData* mission) {
    std::unique_ptr<BaseContractExecutor> executor = createExecutorFor(mission);
    if (!executor)
        return nullptr;
    // A scene must never be built in the player's sight: closer than the spawn
    // distance (or not comparable), the mission starts held back.
    if (!isDebugToolsOn()) {
        const float distance = distanceBetween(positionOf(playerPed()), mission->coords);
        if (!(distance >= mission->spawnDistance))
            executor->block(false);
    }
    return executor;
}

void DrovilEngine::registerExecutor(int id, std::unique_ptr<BaseContractExecutor> executor) {
    executor->subscribe(this);
    registry_[id] = std::move(executor);
}

MissionData* DrovilEngine::createAreaMission(int areaId) {
    const int id = savegameFile().getInt("next_mission_id", 0);
    const MapArea* area = mapAreas().findArea(static_cast<Hash>(areaId));
    if (!area) {
        log("DrovilEngine: cannot find a map area with id: " + std::to_string(areaId));
        return nullptr;
    }
    std::optional<MissionData> generated = missionsFactory().createRandomMission(id, *area);
    for (int attempt = 1; !generated; ++attempt) {
        if (attempt > maxGenerationAttempts) {
            log("DrovilEngine: giving up generating a mission in area: " + std::to_string(areaId) + " after " +
                std::to_string(maxGenerationAttempts) + " attempts");
            return nullptr;
        }
        log("retrying to generate mission data. attempt number: " + std::to_string(attempt));
        generated = missionsFactory().createRandomMission(id, *area);
        scriptWait(0);
    }
    MissionData* mission = keepRecord(*generated);

    savegameFile().setInt("next_mission_id", id + 1);
    savegameFile().setInt(areaSlotKey(areaId), id);
    MissionDataFiles::instance().saveMission(*mission);
    savegameFile().save(false);
    log("DrovilEngine: mission created in area: " + std::to_string(areaId) +
        ", mission id: " + std::to_string(mission->id));

    std::unique_ptr<BaseContractExecutor> executor = createExecutor(mission);
    if (executor)
        registerExecutor(mission->id, std::move(executor));
    else
        log("DrovilEngine: failed to create a mission executor for mission: " + std::to_string(id));
    return mission;
}

void DrovilEngine::onEvent(ContractAcceptedEvent* event) {
    log("DrovilEngine: contract accepted in area: " + std::to_string(event->areaId));
    MissionData* mission = createAreaMission(event->areaId);
    showToast(lang("toast.generic_title"), lang("toast.contract_accepted"), "INVENTORY_ITEMS", "generic_photograph",
              5000);
    if (mission && contractViewer())
        contractViewer()->open(*mission);
}

void DrovilEngine::onEvent(MissionStatusChangeEvent* event) {
    if (event->newStatus == MissionStatus::Completed || event->newStatus == MissionStatus::Failed) {
        log("DrovilEngine: mission terminated: " + std::to_string(event->missionId));
        if (!find(event->missionId)) {
            log("DrovilEngine: mission executor is not in the list and was not cleaned up properly: " +
                std::to_string(event->missionId));
            return;
        }
        endMission(*event);
    }
    natives::gamestate::setMissionFlag(event->newStatus == MissionStatus::Engaged);
}

void DrovilEngine::endMission(const MissionStatusChangeEvent& event) {
    auto entry = registry_.find(event.missionId);
    std::unique_ptr<BaseContractExecutor> executor = std::move(entry->second);
    registry_.erase(entry);
    executor->cleanup();
    MissionData& mission = *executor->getMission();

    if (event.newStatus == MissionStatus::Completed && mission.bounty > 0)
        payReward(mission);
    if (!mission.isExternal) {
        savegameFile().setInt(areaSlotKey(mission.areaId), -1);
        savegameFile().save(false);
        MissionDataFiles::instance().saveMission(mission);
    } else if (event.newStatus == MissionStatus::Completed && mission.bounty > 0) {
        // An external mission has no file and no slot, but its reward belongs
        // to the player's balance like any other: keep it across a restart.
        savegameFile().save(false);
    }
    log("DrovilEngine: mission terminated: " + std::to_string(event.missionId));
    rescheduleQuestOffers();
    sendMissionFinished(mission, event.newStatus);
    // The executor may be the one announcing its end: it is deleted once its
    // own call has returned.
    retired_.push_back(std::move(executor));
}

void DrovilEngine::payReward(const MissionData& mission) {
    const int reward = mission.totalReward();
    paymentsService()->addPayment(static_cast<float>(reward), false);
    const int cents = static_cast<int>(PaymentsService::priceScale() * static_cast<float>(reward) * 100.0f);
    const char* amount = natives::hud::cashString(2, "CASH_STRING", cents, 32);
    std::string body = formatLangText(lang("toast.contract_completed.body"), amount ? amount : "");
    if (body.size() > 254)
        body.resize(254);
    showToast(lang("toast.contract_completed"), body, "BLIPS", "blip_region_hunting", 5000);
}

void DrovilEngine::sendMissionFinished(const MissionData& mission, int status) {
    const int data[4] = {static_cast<int>(getHashKey("DROVIL_MISSION_FINISHED")), mission.id, mission.areaId,
                         status};
    const int one = 1;
    natives::gameevent::send(scriptEventGroup, data, 4, 2, &one);
}

bool DrovilEngine::isPlayerFree() const {
    return natives::player::hasControl(natives::player::playerIndex()) && !natives::gamestate::missionFlag();
}

void DrovilEngine::updateExecutors() {
    // Ascending ids; an executor whose mission ends in its update leaves the
    // registry then, so the next id is looked up afresh each time.
    for (auto entry = registry_.begin(); entry != registry_.end();) {
        const int id = entry->first;
        BaseContractExecutor* executor = entry->second.get();
        MissionData& mission = *executor->getMission();
        if (isPlayerFree() || mission.status == MissionStatus::Engaged) {
            if (mission.status == MissionStatus::Blocked &&
                distanceBetween(positionOf(playerPed()), mission.coords) > mission.spawnDistance && isPlayerFree())
                executor->unblock();
            if (find(id) == executor)
                executor->update();
        } else {
            executor->block(true);
        }
        entry = registry_.upper_bound(id);
    }
}

void DrovilEngine::update() {
    destroyRetiredExecutors();
    if (contractViewer())
        updateContractViewer();
    if (paymentCollectionDesk())
        paymentCollectionDesk()->update();

    const int zone = static_cast<int>(mapAreas().zoneOfEntity(playerPed().entity()));
    bool missionInZone = false;
    for (const auto& [id, executor] : registry_)
        missionInZone = missionInZone || executor->getMission()->areaId == zone;
    if (!missionInZone)
        updateQuestOffers();

    updateExecutors();
    handleScriptEvents();
    destroyRetiredExecutors();
}

void DrovilEngine::destroyRetiredExecutors() {
    for (auto it = retired_.begin(); it != retired_.end();) {
        if ((*it)->isBusy())
            ++it;
        else
            it = retired_.erase(it);
    }
}

void DrovilEngine::handleScriptEvents() {
    const int count = natives::gameevent::queuedCount(scriptEventGroup);
    for (int index = 0; index < count; ++index) {
        if (natives::gameevent::queuedType(scriptEventGroup, index) != getHashKey("EVENT_NETWORK_SCRIPT_EVENT"))
            continue;
        int buffer[eventBufferItems * 2] = {};
        natives::gameevent::queuedData(scriptEventGroup, index, buffer, eventBufferItems);
        const Hash name = static_cast<Hash>(buffer[0]);
        if (name == getHashKey("DROVIL_START_MISSION")) {
            log("DrovilEngine: received event: DROVIL_START_MISSION");
            startExternalMission(buffer[1], buffer[2], buffer[3]);
        } else if (name == getHashKey("DROVIL_ABORT_MISSION")) {
            log("DrovilEngine: received event: DROVIL_ABORT_MISSION. id: " + std::to_string(buffer[1]));
            MissionStatusChangeEvent abort{MissionStatus::Open, MissionStatus::Failed, buffer[1]};
            onEvent(&abort);
        }
    }
}

void DrovilEngine::startExternalMission(int areaId, int templateId, int bounty) {
    for (const auto& [id, executor] : registry_) {
        const int status = executor->getMission()->status;
        if (status == MissionStatus::Open || status == MissionStatus::Engaged) {
            log("DrovilEngine: external mission - cannot start a mission while another one is already in progress");
            return;
        }
    }
    if (find(0)) {
        log("DrovilEngine: external mission - cannot start a mission: another external mission is already in "
            "progress");
        return;
    }
    const MapArea* area = mapAreas().findArea(static_cast<Hash>(areaId));
    if (!area) {
        log("DrovilEngine: external mission - validation error: area id is not valid: " + std::to_string(areaId));
        return;
    }
    if (!missionsFactory().findTemplate(templateId)) {
        log("DrovilEngine: external mission - validation error: unrecognized template type: " +
            std::to_string(templateId));
        return;
    }
    std::optional<MissionData> generated = missionsFactory().createMission(0, *area, templateId);
    if (!generated) {
        log("DrovilEngine: external mission - failed to create mission template. ");
        return;
    }
    generated->isExternal = true;
    if (bounty > 0)
        generated->bounty = bounty;
    MissionData* mission = keepRecord(*generated);
    std::unique_ptr<BaseContractExecutor> executor = createExecutor(mission);
    if (!executor) {
        log("DrovilEngine: external mission - failed to create a mission executor");
        return;
    }
    registerExecutor(0, std::move(executor));
    log("DrovilEngine: external mission created. area id: " + std::to_string(areaId) +
        ", template: " + std::to_string(templateId));
}

namespace {
DrovilEngine* engine = nullptr;
}

void createDrovilEngine() {
    if (!engine)
        engine = new DrovilEngine();
}

DrovilEngine* drovilEngine() { return engine; }

void updateDrovilEngine() {
    if (engine)
        engine->update();
}

} // namespace drovil
