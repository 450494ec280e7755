#include "world/mission_data_files.h"

#include "runtime/file_writer.h"
#include "runtime/log.h"

#include <climits>
#include <cstdint>
#include <iterator>
#include <filesystem>
#include <system_error>

namespace drovil {
namespace {

constexpr int missingInt = -999;
constexpr float missingFloat = -999.0f;

// Hashes are written as the signed decimal of their 32 bits, like every int.
int hashAsInt(Hash value) {
    return static_cast<std::int32_t>(value);
}
Hash readHash(const DictDataFile& file, const char* key) {
    return static_cast<Hash>(file.getInt(key, missingInt));
}

} // namespace

MissionDataFiles& MissionDataFiles::instance() {
    static auto* files = new MissionDataFiles();
    return *files;
}

std::string MissionDataFiles::missionFileName(int id) {
    return "Missions/" + std::to_string(id) + ".dat";
}

void MissionDataFiles::writeFields(const MissionData& record, DictDataFile& file) {
    // The file itself lists its keys in key order; this is the order we set them.
    file.setInt("id", record.id);
    file.setPosition("coords", record.coords);
    file.setInt("templateId", record.templateId);
    file.setInt("settingId", record.settingId);
    file.setInt("areaId", record.areaId);
    file.setInt("status", record.status);
    file.setInt("bounty", record.bounty);
    file.setInt("createdAt", record.createdAt);
    file.setInt("variant", record.variant);
    file.setInt("targetModel", hashAsInt(record.targetModel));
    file.setInt("targetOutfitIndex", record.targetOutfitIndex);
    file.setInt("guardsCount", record.guardsCount);
    file.setInt("guardModel", hashAsInt(record.guardModel));
    file.setInt("companionsCount", record.companionsCount);
    file.setInt("companionModel", hashAsInt(record.companionModel));
    file.setInt("vehicleModel", hashAsInt(record.vehicleModel));
    file.setInt("vehiclePropsetModel", hashAsInt(record.vehiclePropsetModel));
    file.setBool("isTargetACriminal", record.isTargetACriminal);
    file.setBool("isTargetArmed", record.isTargetArmed);
    file.setInt("propsetModel", hashAsInt(record.propsetModel));
    file.setFloat("ambienceRadius", record.ambienceRadius);
    file.setFloat("spawnDistance", record.spawnDistance);
    file.setFloat("targetFleeChance", record.targetFleeChance);
    file.setFloat("blipRadius", record.blipRadius);
    file.setFloat("missionAreaRadius", record.missionAreaRadius);
    file.setInt("targetLootMoney", record.targetLootMoney);
    file.setInt("companionsLootMoney", record.companionsLootMoney);
    file.setInt("guardsLootMoney", record.guardsLootMoney);
    file.setPosition("blipCoords", record.blipCoords);
    file.setInt("bonusesReward", record.bonusesReward);
}

void MissionDataFiles::readFields(const DictDataFile& file, MissionData& record) {
    // Missing keys read as -999 / -999.0 / false / (0, 0, 0); readers of the
    // record treat -999 as absent.
    record.id = file.getInt("id", missingInt);
    record.coords = file.getPosition("coords");
    record.templateId = file.getInt("templateId", missingInt);
    record.settingId = file.getInt("settingId", missingInt);
    record.areaId = file.getInt("areaId", missingInt);
    record.status = file.getInt("status", missingInt);
    record.bounty = file.getInt("bounty", missingInt);
    record.createdAt = file.getInt("createdAt", missingInt);
    record.variant = file.getInt("variant", missingInt);
    record.targetModel = readHash(file, "targetModel");
    record.targetOutfitIndex = file.getInt("targetOutfitIndex", missingInt);
    record.guardsCount = file.getInt("guardsCount", missingInt);
    record.guardModel = readHash(file, "guardModel");
    record.companionsCount = file.getInt("companionsCount", missingInt);
    record.companionModel = readHash(file, "companionModel");
    record.vehicleModel = readHash(file, "vehicleModel");
    record.vehiclePropsetModel = readHash(file, "vehiclePropsetModel");
    record.isTargetACriminal = file.getBool("isTargetACriminal");
    record.isTargetArmed = file.getBool("isTargetArmed");
    record.propsetModel = readHash(file, "propsetModel");
    record.ambienceRadius = file.getFloat("ambienceRadius", missingFloat);
    record.spawnDistance = file.getFloat("spawnDistance", missingFloat);
    record.targetFleeChance = file.getFloat("targetFleeChance", missingFloat);
    record.blipRadius = file.getFloat("blipRadius", missingFloat);
    record.missionAreaRadius = file.getFloat("missionAreaRadius", missingFloat);
    record.targetLootMoney = file.getInt("targetLootMoney", missingInt);
    record.companionsLootMoney = file.getInt("companionsLootMoney", missingInt);
    record.guardsLootMoney = file.getInt("guardsLootMoney", missingInt);
    record.blipCoords = file.getPosition("blipCoords");
    record.bonusesReward = file.getInt("bonusesReward", missingInt);
    record.isExternal = false;
}

const std::vector<std::string>& MissionDataFiles::keys() {
    static const auto* names = new std::vector<std::string>{
        "id", "coords", "templateId", "settingId", "areaId", "status", "bounty", "createdAt", "variant",
        "targetModel", "targetOutfitIndex", "guardsCount", "guardModel", "companionsCount", "companionModel",
        "vehicleModel", "vehiclePropsetModel", "isTargetACriminal", "isTargetArmed", "propsetModel",
        "ambienceRadius", "spawnDistance", "targetFleeChance", "blipRadius", "missionAreaRadius",
        "targetLootMoney", "companionsLootMoney", "guardsLootMoney", "blipCoords", "bonusesReward"};
    return *names;
}

MissionData* MissionDataFiles::loadMission(int id) {
    const auto cached = entries_.find(id);
    if (cached != entries_.end())
        return cached->second.record;

    log("MissionDataFiles: loading mission data from disk: " + std::to_string(id));
    auto file = std::make_unique<DictDataFile>(dataPathText(missionFileName(id)));
    if (!file->load()) {
        log("MissionDataFiles: mission data file could not be loaded: " + std::to_string(id));
        return nullptr;
    }
    auto record = std::make_unique<MissionData>();
    readFields(*file, *record);

    Entry& entry = entries_[id];
    entry.file = std::move(file);
    entry.record = record.get();
    entry.ownedRecord = std::move(record);
    log("MissionDataFiles: mission data loaded successfuly: " + std::to_string(id));
    return entry.record;
}

bool MissionDataFiles::saveMission(MissionData& record) {
    return writeMission(record).save(false);
}

DictDataFile& MissionDataFiles::writeMission(MissionData& record) {
    auto found = entries_.find(record.id);
    if (found == entries_.end()) {
        Entry entry;
        entry.file = std::make_unique<DictDataFile>(dataPathText(missionFileName(record.id)));
        entry.record = &record;
        // A forgotten mission written again: its file holds keys to keep.
        if (wasForgotten(record.id)) {
            unforget(record.id);
            entry.file->load();
        }
        found = entries_.emplace(record.id, std::move(entry)).first;
    }
    if (!found->second.file) {
        // Let go once the mission ended: read back from disk, so that a key
        // this version does not write is kept.
        found->second.file = std::make_unique<DictDataFile>(dataPathText(missionFileName(record.id)));
        found->second.file->load();
    }
    DictDataFile& file = *found->second.file;
    writeFields(record, file);

    // The missions folder is not part of a fresh install; make it beside the
    // other data files the first time a mission is saved.
    std::error_code ignored;
    std::filesystem::create_directory(dataPath("Missions"), ignored);
    return file;
}

std::vector<std::string> MissionDataFiles::unreadableKeys(int id, const std::vector<std::string>& keys) const {
    std::vector<std::string> unreadable;
    const auto found = entries_.find(id);
    if (found == entries_.end() || !found->second.file)
        return unreadable;
    const DictDataFile& file = *found->second.file;
    for (const std::string& key : keys)
        if (file.getString(key).empty() || file.hasBadValue(key))
            unreadable.push_back(key);
    return unreadable;
}

void MissionDataFiles::releaseFile(int id) {
    const auto found = entries_.find(id);
    if (found != entries_.end())
        found->second.file.reset();
}

void MissionDataFiles::forget(int id) {
    if (entries_.erase(id) == 0 || wasForgotten(id))
        return;
    // Joined to the run just before and the one just after.
    auto next = forgotten_.upper_bound(id);
    int first = id, last = id;
    if (next != forgotten_.begin()) {
        auto before = std::prev(next);
        if (before->second != INT_MAX && before->second + 1 == id) {
            first = before->first;
            forgotten_.erase(before);
        }
    }
    if (next != forgotten_.end() && id != INT_MAX && next->first == id + 1) {
        last = next->second;
        forgotten_.erase(next);
    }
    forgotten_[first] = last;
}

bool MissionDataFiles::wasForgotten(int id) const {
    auto next = forgotten_.upper_bound(id);
    return next != forgotten_.begin() && std::prev(next)->second >= id;
}

void MissionDataFiles::unforget(int id) {
    auto next = forgotten_.upper_bound(id);
    if (next == forgotten_.begin())
        return;
    auto run = std::prev(next);
    const int first = run->first, last = run->second;
    if (last < id)
        return;
    forgotten_.erase(run);
    if (first < id)
        forgotten_[first] = id - 1;
    if (id < last)
        forgotten_[id + 1] = last;
}

bool MissionDataFiles::setAside(int id) {
    entries_.erase(id);
    // A write on its way would bring the file back after the rename.
    waitForFileWrites();
    const std::string path = dataPathText(missionFileName(id));
    std::string target = path + ".bad";
    std::error_code error;
    for (int n = 2; std::filesystem::exists(target, error) && n < 1000; ++n)
        target = path + ".bad" + std::to_string(n);
    std::filesystem::rename(path, target, error);
    if (error) {
        log("MissionDataFiles: mission data file could not be set aside: " + path);
        return false;
    }
    log("MissionDataFiles: mission data file set aside: " + path + " -> " + target);
    return true;
}

} // namespace drovil
