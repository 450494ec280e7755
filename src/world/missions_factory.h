#pragma once
// Turns a map area into a new contract mission: template, setting, bounty,
// target, guards, companions, vehicle and props, the scene's position and its
// blip. The record it returns is not saved; the caller owns it from then on.
// Generation calls the game, so it runs on the script thread only.
#include "world/map_areas.h"
#include "world/mission_data.h"
#include "world/mission_templates.h"

#include <map>
#include <optional>
#include <vector>

namespace drovil {

class MissionsFactory {
public:
    static constexpr int templateCount = 6;

    MissionsFactory();
    MissionsFactory(const MissionsFactory&) = delete;
    MissionsFactory& operator=(const MissionsFactory&) = delete;

    // A mission of a random template; none when the area offers no setting for it.
    std::optional<MissionData> createRandomMission(int id, const MapArea& area);
    // A mission of the given template (0..5, checked by the caller).
    std::optional<MissionData> createMission(int id, const MapArea& area, int templateType);
    // As createMission, but in the given setting whatever the template and the
    // area offer; for the debug tools, which want a camp at hand.
    std::optional<MissionData> createMissionInSetting(int id, const MapArea& area, int templateType,
                                                      SettingType setting);

    // Null (logged) for an unknown type.
    const MissionTemplate* findTemplate(int type) const;
    const MissionSetting* findSetting(int id) const;
    // The settings the area offers, in setting-id order; worked out once per area.
    const std::vector<const MissionSetting*>& settingsOfArea(Hash areaId);
    // One of the template's settings that the area offers, at random; -1 when none.
    int pickSettingType(const MissionTemplate& missionTemplate, Hash areaId);

private:
    std::optional<MissionData> build(int id, const MapArea& area, int templateType, int settingType);

    const std::vector<MissionTemplate>& templates_;
    const std::vector<MissionSetting>& settings_;
    std::map<Hash, std::vector<const MissionSetting*>> settingsByArea_;
};

// The process-wide factory, made on first use and never destroyed.
MissionsFactory& missionsFactory();

} // namespace drovil
