#include "world/mission_data.h"

namespace drovil {

MissionData MissionData::newRecord(int id, const Vector3& coords, int templateId, int settingId, int areaId,
                                   int bounty) {
    MissionData record;
    record.id = id;
    record.coords = coords;
    record.templateId = templateId;
    record.settingId = settingId;
    record.areaId = areaId;
    record.status = MissionStatus::Open;
    record.bounty = bounty;
    record.isTargetArmed = true;
    record.spawnDistance = 250.0f;
    record.blipRadius = 90.0f;
    record.blipCoords = coords;
    return record;
}

} // namespace drovil
