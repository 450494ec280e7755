#pragma once
// The two tables behind mission generation: the six mission templates (what
// kind of target, for how much, in which settings) and the nine settings (where
// a scene can be placed, and in which map areas). The data lives in
// world/data/templates_table.cpp and world/data/settings_table.cpp.
#include "runtime/types.h"
#include "world/mission_data.h"

#include <vector>

namespace drovil {

struct MissionTemplate {
    int type = 0;                          // 0..5, the record's templateId
    int baseBounty = 0;                    // dollars, before the random spread and the bonuses
    std::vector<SettingType> settingTypes; // the settings it may use, in this order
};

struct MissionSetting {
    SettingType id = SettingType::Camp;
    bool outsideTown = false;  // the scene is in the countryside
    std::vector<Hash> areaIds; // the map areas that offer it, in this order
};

// Every template, by ascending type. Built on first use, never destroyed.
const std::vector<MissionTemplate>& missionTemplateTable();
// Every setting, by ascending id. Built on first use, never destroyed.
const std::vector<MissionSetting>& missionSettingTable();

} // namespace drovil
