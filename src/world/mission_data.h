#pragma once
// One contract mission: the target, its setting, its reward and every parameter
// an executor needs to build the scene. A plain value record; the engine owns
// the records it lists, MissionDataFiles keeps them on disk one file each.
#include "runtime/types.h"

namespace drovil {

// The kind of scene a mission is placed in; selects the executor.
enum class SettingType : int {
    Camp = 0,
    Wagon = 1,
    Hotel = 2,
    House = 3,
    HunterCamp = 4,
    Saloon = 5,
    TrainStation = 6,
    Street = 7,
    PrisonerTransport = 8,
};

// Values of MissionData::status.
struct MissionStatus {
    static constexpr int Open = 0;    // generated or accepted, the player has not come to the target yet
    static constexpr int Engaged = 1; // hunting the target, or escaping after the take-down
    static constexpr int Completed = 2;
    static constexpr int Blocked = 3;
    static constexpr int Failed = 4;
};

// A default-constructed record holds the values an empty record has before a
// mission file is read into it; newRecord() gives those of a freshly generated
// mission before the factory fills it.
struct MissionData {
    int id = 0;
    Vector3 coords;      // where the target's scene is placed
    int templateId = -1; // mission template 0..5
    int settingId = -1;  // SettingType 0..8
    int areaId = 0;      // map area id: the town's zone hash as a signed integer
    int status = MissionStatus::Open;
    int bounty = 0;    // dollars
    int createdAt = 0; // game clock, game seconds, when generated
    int variant = 0;   // template-dependent
    Hash targetModel = 0;
    int targetOutfitIndex = 0;
    int guardsCount = 0; // hostile peds around the target
    Hash guardModel = 0;
    int companionsCount = 0; // non-hostile peds with the target
    Hash companionModel = 0;
    Hash vehicleModel = 0;        // 0 for none
    Hash vehiclePropsetModel = 0; // 0 for none
    bool isTargetACriminal = false;
    bool isTargetArmed = false;
    Hash propsetModel = 0;          // scene propset (camps), 0 for none
    float ambienceRadius = 0.0f;    // metres
    float spawnDistance = 0.0f;     // metres: the scene is built when the player comes this near
    float targetFleeChance = 0.0f;  // 0..1
    float blipRadius = 0.0f;        // metres, around blipCoords
    float missionAreaRadius = 0.0f; // metres
    int targetLootMoney = 0;        // cents
    int companionsLootMoney = 0;    // cents, each
    int guardsLootMoney = 0;        // cents, each
    Vector3 blipCoords;             // centre of the search-area blip
    int bonusesReward = 0;          // dollars added to the bounty on payment
    bool isExternal = false;        // created by another script; never written to the mission file
    // Completed with the target handed to the sheriff alive (the bonus paid);
    // never written to the mission file, whose bonusesReward tells the bonus.
    bool broughtInAlive = false;

    // A freshly generated mission: status open, target armed, spawn distance
    // 250 m, blip radius 90 m, the blip centred on `coords`.
    static MissionData newRecord(int id, const Vector3& coords, int templateId, int settingId, int areaId,
                                 int bounty);

    // What the engine pays out: bounty + bonusesReward dollars.
    int totalReward() const { return bounty + bonusesReward; }
    SettingType settingType() const { return static_cast<SettingType>(settingId); }
};

} // namespace drovil
