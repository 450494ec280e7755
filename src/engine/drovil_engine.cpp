#include "engine/drovil_engine.h"

#include "behaviour/hostages.h"
#include "engine/executor_factory.h"
#include "engine/quest_link.h"
#include "runtime/data_files.h"
#include "runtime/durable_save.h"
#include "runtime/file_writer.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/host_api.h"
#include "runtime/log.h"
#include "runtime/main_loop.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "runtime/script_event_inbox.h"
#include "runtime/settings.h"
#include "ui/contract_menu.h"
#include "ui/contract_viewer.h"
#include "ui/lang_format.h"
#include "ui/lang_text.h"
#include "ui/text.h"
#include "ui/toast.h"
#include "world/alive_bounty.h"
#include "world/map_areas.h"
#include "world/mission_data_files.h"
#include "world/missions_factory.h"
#include "world/payment_collection_desk.h"
#include "world/payments_service.h"

#include <climits>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

namespace drovil {
namespace {

std::string areaSlotKey(int areaId) { return "missions." + std::to_string(areaId); }

const std::string& lang(const std::string& key) { return langText(key); }

constexpr int absentInt = -999;

// The map area an id stands for: an area's own id, or the zone hash of one of
// its outlying towns or districts (an offer in Van Horn carries Van Horn's).
const MapArea* areaOf(int areaOrZone) { return mapAreas().findArea(static_cast<Hash>(areaOrZone)); }

// The id of the map area a mission or a zone belongs to (the id itself when
// it names no area).
int areaIdOf(int areaOrZone) {
    const MapArea* area = areaOf(areaOrZone);
    return area ? area->signedId() : areaOrZone;
}

// Why a restored mission cannot run, or empty when it can: without these keys
// there is no place to build its scene at, no executor to build it, no area
// to keep it in.
std::string unrestorableReason(int id) {
    static const std::vector<std::string> essential = {"coords", "settingId", "areaId"};
    std::string missing;
    for (const std::string& key : MissionDataFiles::instance().unreadableKeys(id, essential))
        missing += (missing.empty() ? "" : ", ") + key;
    return missing.empty() ? missing : "no readable " + missing;
}

bool hasEnded(const MissionData& mission) {
    return mission.status == MissionStatus::Completed || mission.status == MissionStatus::Failed;
}

// Whether the mission file of a save slot's id says its contract has ended
// (a file that does not load says nothing). An ended one is not kept in memory.
bool savedMissionHasEnded(int id) {
    const MissionData* mission = MissionDataFiles::instance().loadMission(id);
    if (!mission || !hasEnded(*mission))
        return false;
    MissionDataFiles::instance().forget(id);
    return true;
}

bool fileExists(const std::string& path) {
    // A file whose first write is still on its way to the disk exists too.
    if (pendingFileContents(path))
        return true;
    std::error_code error;
    return std::filesystem::exists(path, error);
}

} // namespace

DrovilEngine::DrovilEngine() {
    subscribeToQuestOffers(this);
    keepScriptEventsNamed(getHashKey("DROVIL_START_MISSION"));
    keepScriptEventsNamed(getHashKey("DROVIL_ABORT_MISSION"));
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
    moveZoneSlots();
    int count = 0;
    for (const MapArea* area : mapAreas().allAreas())
        count += restoreSlot(areaSlotKey(area->signedId()), area->signedId()) ? 1 : 0;
    // Slots of an outlying zone that could not be moved to their area's.
    for (const MapArea* area : mapAreas().distinctAreas())
        for (Hash zone : mapAreas().otherZonesOf(*area))
            count += restoreSlot(areaSlotKey(static_cast<std::int32_t>(zone)), area->signedId()) ? 1 : 0;
    log("DrovilEngine: loaded " + std::to_string(count) + " missions successfuly");
}

void DrovilEngine::moveZoneSlots() {
    // Missions accepted in an outlying town were once kept under the town's
    // zone hash, where a restart never looked: each such slot moves to its
    // area's own key, once.
    DictDataFile& save = savegameFile();
    bool changed = false;
    for (const MapArea* area : mapAreas().distinctAreas()) {
        const std::string areaKey = areaSlotKey(area->signedId());
        for (Hash zone : mapAreas().otherZonesOf(*area)) {
            const std::string zoneKey = areaSlotKey(static_cast<std::int32_t>(zone));
            if (save.getString(zoneKey).empty())
                continue;
            const int id = save.getInt(zoneKey, absentInt);
            // A contract that has ended is not moved: the slot is only cleared.
            if (id >= 0 && savedMissionHasEnded(id)) {
                save.setString(zoneKey, "");
                log("DrovilEngine: save slot " + zoneKey + " is cleared: mission " + std::to_string(id) +
                    " has already ended");
                changed = true;
                continue;
            }
            // The area's slot is free when its own contract has ended.
            const int held = save.getInt(areaKey, absentInt);
            if (id >= 0 && held >= 0 && held != id && !savedMissionHasEnded(held)) {
                log("DrovilEngine: save slot " + zoneKey + " is kept: " + areaKey + " holds mission " +
                    std::to_string(held));
                continue;
            }
            if (id >= 0)
                save.setInt(areaKey, id);
            save.setString(zoneKey, "");
            log("DrovilEngine: save slot " + zoneKey + " moved to " + areaKey);
            changed = true;
        }
    }
    if (changed)
        saveDurably(save);
}

bool DrovilEngine::restoreSlot(const std::string& slotKey, int areaId) {
    const int id = savegameFile().getInt(slotKey, absentInt);
    if (id < 0 || find(id))
        return false;
    // Whatever one mission's file holds, the others are restored.
    try {
        return restoreMission(slotKey, areaId, id);
    } catch (const std::exception& error) {
        log("DrovilEngine: mission " + std::to_string(id) + " could not be restored: " + error.what());
    } catch (...) {
        log("DrovilEngine: mission " + std::to_string(id) + " could not be restored");
    }
    setAside(slotKey, id);
    return false;
}

bool DrovilEngine::restoreMission(const std::string& slotKey, int areaId, int id) {
    const bool hasFile = fileExists(dataPathText(MissionDataFiles::missionFileName(id)));
    MissionData* mission = MissionDataFiles::instance().loadMission(id);
    if (!mission) {
        log("DrovilEngine: mission data was not loaded in area: " + std::to_string(areaId));
        // A file that is there but does not load is kept aside for the player.
        if (hasFile)
            setAside(slotKey, id);
        return false;
    }
    // An ended contract is over for good. It is looked at first: building an
    // executor near the player blocks it, and blocked it would no longer read
    // as ended, and be played and paid a second time.
    if (hasEnded(*mission)) {
        log("DrovilEngine: mission " + std::to_string(id) + " has already ended, save slot " + slotKey +
            " is cleared");
        savegameFile().setInt(slotKey, -1);
        saveDurably(savegameFile());
        MissionDataFiles::instance().forget(id);
        return false;
    }
    if (const std::string reason = unrestorableReason(id); !reason.empty()) {
        log("DrovilEngine: mission " + std::to_string(id) + " cannot be restored: " + reason);
        setAside(slotKey, id);
        return false;
    }
    if (mission->status == MissionStatus::Blocked) {
        // Blocked is a state of the running game, not of the save: the mission
        // starts open and the engine blocks it again when it must.
        log("DrovilEngine: mission " + std::to_string(id) + " was saved blocked, it starts open");
        mission->status = MissionStatus::Open;
    } else if (mission->status < MissionStatus::Open || mission->status > MissionStatus::Failed) {
        log("DrovilEngine: mission " + std::to_string(id) + " has no known status (" +
            std::to_string(mission->status) + "), it starts open");
        mission->status = MissionStatus::Open;
    }
    std::unique_ptr<BaseContractExecutor> executor = createExecutor(mission);
    if (!executor) {
        log("DrovilEngine: failed to create a mission executor for mission: " + std::to_string(id));
        return false;
    }
    log("DrovilEngine: mission loaded. id: " + std::to_string(id));
    registerExecutor(id, std::move(executor));
    return true;
}

void DrovilEngine::setAside(const std::string& slotKey, int id) {
    MissionDataFiles::instance().setAside(id);
    savegameFile().setInt(slotKey, -1);
    saveDurably(savegameFile());
}

int DrovilEngine::nextFreeMissionId() {
    int id = savegameFile().getInt("next_mission_id", 0);
    if (id < 0) {
        // A negative id would never be restored.
        log("DrovilEngine: next_mission_id is negative (" + std::to_string(id) + "), ids go on from 0");
        id = 0;
    }
    // An id in play (an external mission holds 0) or already known to the
    // mission files belongs to another mission: the next one is taken.
    for (int tries = 0; (find(id) || MissionDataFiles::instance().isKnown(id)) && tries < 100000; ++tries)
        id = id == INT_MAX ? 0 : id + 1;
    return id;
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
    const MapArea* area = areaOf(areaId);
    if (!area) {
        log("DrovilEngine: cannot find a map area with id: " + std::to_string(areaId));
        return nullptr;
    }
    const int id = nextFreeMissionId();
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

    // The slot is the map area's own, wherever in the area the offer was made.
    savegameFile().setInt("next_mission_id", id == INT_MAX ? 0 : id + 1);
    savegameFile().setInt(areaSlotKey(area->signedId()), id);
    saveDurably(MissionDataFiles::instance().writeMission(*mission));
    saveDurably(savegameFile());
    log("DrovilEngine: mission created in area: " + std::to_string(area->signedId()) +
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
            endMissionWithoutExecutor(*event);
            return;
        }
        endMission(*event);
    }
    // The game has one mission flag for every script: it stays up for as long
    // as any contract is engaged, whichever contract's status changed.
    setGameMissionFlag(anyContractEngaged());
}

bool DrovilEngine::anyContractEngaged() const {
    for (const auto& [id, executor] : registry_)
        if (executor->getMission()->status == MissionStatus::Engaged)
            return true;
    return false;
}

void DrovilEngine::endMission(const MissionStatusChangeEvent& event) {
    auto entry = registry_.find(event.missionId);
    std::unique_ptr<BaseContractExecutor> executor = std::move(entry->second);
    registry_.erase(entry);
    executor->cleanup();
    MissionData& mission = *executor->getMission();
    // An aborted mission ends failed like any other: its file says so.
    mission.status = event.newStatus;

    if (event.newStatus == MissionStatus::Completed && mission.bounty > 0)
        payReward(mission);
    if (!mission.isExternal) {
        clearSlotOf(mission);
        // The save first: the mission file must not say "ended" while the save
        // still lacks the reward.
        DictDataFile& missionFile = MissionDataFiles::instance().writeMission(mission);
        saveDurably(savegameFile());
        saveDurably(missionFile);
        MissionDataFiles::instance().releaseFile(mission.id);
    } else if (event.newStatus == MissionStatus::Completed && mission.bounty > 0) {
        // An external mission has no file and no slot, but its reward belongs
        // to the player's balance like any other: keep it across a restart.
        saveDurably(savegameFile());
    }
    log("DrovilEngine: mission terminated: " + std::to_string(event.missionId));
    rescheduleQuestOffers();
    sendMissionFinished(mission, event.newStatus);
    // The executor may be the one announcing its end: it is deleted once its
    // own call has returned.
    retired_.push_back(std::move(executor));
}

void DrovilEngine::endMissionWithoutExecutor(const MissionStatusChangeEvent& event) {
    // A contract whose setting no executor runs still holds its area's slot:
    // abandoning it from the menu must end it, or it stays in play for good.
    MissionData* mission = MissionDataFiles::instance().loadMission(event.missionId);
    if (!mission || mission->isExternal || event.newStatus != MissionStatus::Failed ||
        (mission->status != MissionStatus::Open && mission->status != MissionStatus::Engaged &&
         mission->status != MissionStatus::Blocked))
        return;
    mission->status = MissionStatus::Failed;
    clearSlotOf(*mission);
    DictDataFile& missionFile = MissionDataFiles::instance().writeMission(*mission);
    saveDurably(savegameFile());
    saveDurably(missionFile);
    rescheduleQuestOffers();
    sendMissionFinished(*mission, MissionStatus::Failed);
    // Its file's entry goes with it: nothing holds this mission any more.
    forgetEndedMission(mission);
}

void DrovilEngine::clearSlotOf(const MissionData& mission) {
    // Only a slot that holds this mission is cleared: another slot's mission
    // stays in play.
    DictDataFile& save = savegameFile();
    const int areaId = areaIdOf(mission.areaId);
    const std::string areaKey = areaSlotKey(areaId);
    const int held = save.getInt(areaKey, absentInt);
    if (held == mission.id || held == absentInt)
        save.setInt(areaKey, -1);
    if (const MapArea* area = areaOf(areaId))
        for (Hash zone : mapAreas().otherZonesOf(*area)) {
            const std::string zoneKey = areaSlotKey(static_cast<std::int32_t>(zone));
            if (save.getInt(zoneKey, absentInt) == mission.id)
                save.setString(zoneKey, "");
        }
}

void DrovilEngine::payReward(const MissionData& mission) {
    // An absent bonus (-999) adds nothing; the sum is worked out wide, so no
    // hand-edited bounty overflows it, and a reward is never below nothing.
    const int bonuses = mission.bonusesReward == absentInt ? 0 : mission.bonusesReward;
    const double total = static_cast<double>(mission.bounty) + static_cast<double>(bonuses);
    const float reward = static_cast<float>(total > 0.0 ? total : 0.0);
    paymentsService()->addPayment(reward, false);
    const int cents = dollarsToCents(PaymentsService::priceScale() * reward);
    const char* amount = natives::hud::cashString(2, "CASH_STRING", cents, 32);
    // A target handed to the sheriff alive: the toast says so.
    const char* const title = mission.broughtInAlive ? "toast.contract_completed.alive" : "toast.contract_completed";
    const char* const bodyKey =
        mission.broughtInAlive ? "toast.contract_completed.alive.body" : "toast.contract_completed.body";
    std::string body = formatLangText(lang(bodyKey), amount ? amount : "");
    if (body.size() > 254)
        body.resize(254);
    showToast(lang(title), body, "BLIPS", "blip_region_hunting", 5000);
}

void DrovilEngine::sendMissionFinished(const MissionData& mission, int status) {
    // The four values are packed one after another, as every reader of the
    // event expects; the game, though, counts the size in 8-byte script slots
    // and copies 4 * 8 bytes, so the block is that long, its tail zero.
    constexpr int values = 4;
    const int data[values * 2] = {static_cast<int>(getHashKey("DROVIL_MISSION_FINISHED")), mission.id,
                                  mission.areaId, status};
    const int one = 1;
    natives::gameevent::send(scriptEventGroup, data, values, 2, &one);
}

bool DrovilEngine::isPlayerFree() const {
    return natives::player::hasControl(playerIndex()) && !gameMissionFlag();
}

void DrovilEngine::updateExecutors() {
    // Ascending ids; an executor whose mission ends in its update leaves the
    // registry then, so the next id is looked up afresh each time.
    for (auto entry = registry_.begin(); entry != registry_.end();) {
        const int id = entry->first;
        BaseContractExecutor* executor = entry->second.get();
        MissionData& mission = *executor->getMission();
        // Asked once per executor: nothing between the two questions changes the answer.
        const bool playerFree = isPlayerFree();
        if (playerFree || mission.status == MissionStatus::Engaged) {
            if (mission.status == MissionStatus::Blocked &&
                distanceBetween(positionOf(playerPed()), mission.coords) > mission.spawnDistance && playerFree)
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
    retryPendingSaves();
    updateContractMenu();
    if (contractViewer())
        updateContractViewer();
    if (paymentCollectionDesk())
        paymentCollectionDesk()->update();

    // The player's zone stands for its map area: no offers anywhere in an area
    // whose mission is in play, its outlying towns included.
    const int areaHere = areaIdOf(static_cast<int>(mapAreas().zoneOfEntity(playerPed().entity())));
    bool missionInZone = false;
    for (const auto& [id, executor] : registry_)
        missionInZone = missionInZone || executor->getMission()->areaId == areaHere;
    if (!missionInZone)
        updateQuestOffers();
    // The hostage system runs only while the "Hostages" setting is on.
    updateHostages();

    updateExecutors();
    handleScriptEvents();
    destroyRetiredExecutors();
}

void DrovilEngine::destroyRetiredExecutors() {
    for (auto it = retired_.begin(); it != retired_.end();) {
        if ((*it)->isBusy()) {
            ++it;
            continue;
        }
        const MissionData* mission = (*it)->getMission();
        it = retired_.erase(it);
        forgetEndedMission(mission);
    }
}

void DrovilEngine::forgetEndedMission(const MissionData* mission) {
    const int id = mission->id;
    // An external mission (id 0) has no entry of its own in the mission files;
    // a mission taken up again under its id is in use.
    const bool forgetFile = !mission->isExternal && !find(id);
    std::erase_if(records_, [mission](const std::unique_ptr<MissionData>& record) { return record.get() == mission; });
    if (forgetFile)
        MissionDataFiles::instance().forget(id);
}

void DrovilEngine::handleScriptEvents() {
    // This frame's events, after those of the frames the script spent waiting
    // inside its frame (a portrait, a shove, a model load), in order.
    for (const ScriptEventData& event : takeScriptEvents()) {
        const int* buffer = event.values.data();
        const Hash name = event.name();
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
    if (bounty > 0) {
        generated->bounty = bounty;
        generated->bonusesReward = aliveBonusFor(bounty);
    }
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
