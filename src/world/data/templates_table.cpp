// The mission templates. A template says what kind of target a contract hunts,
// the bounty it starts from and the settings it can be placed in (one of them
// is picked at random among those the map area offers). What each template
// fills in beyond this lives in MissionsFactory.
//
//   type 0  a member of the area's gang or another criminal, with gang guards
//   type 1  a traveller on a wagon with guards
//   type 2  a wealthy traveller, unarmed, who always flees
//   type 3  an armed rough traveller without guards
//   type 4  a lawman or a bounty hunter
//   type 5  a prisoner in transport
#include "world/mission_templates.h"

namespace drovil {

const std::vector<MissionTemplate>& missionTemplateTable() {
    using S = SettingType;
    static const auto* table = new std::vector<MissionTemplate>{
        // type, base bounty ($), settings in order
        {0, 55, {S::Camp, S::Saloon, S::Street, S::PrisonerTransport}},
        {1, 40, {S::Wagon}},
        {2, 45, {S::Wagon, S::Hotel, S::TrainStation, S::Street}},
        {3, 35, {S::HunterCamp, S::Saloon, S::Street}},
        {4, 65, {S::Saloon, S::Street, S::Camp}},
        {5, 50, {S::PrisonerTransport}},
    };
    return *table;
}

} // namespace drovil
