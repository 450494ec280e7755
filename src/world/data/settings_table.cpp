// The mission settings: the kinds of scene a contract can be placed in, whether
// the scene is out in the countryside, and the map areas that offer it (a town
// without a hotel has no Hotel setting, and so on).
//
// No template uses House, so House missions are never generated.
#include "world/area_ids.h"
#include "world/mission_templates.h"

namespace drovil {

const std::vector<MissionSetting>& missionSettingTable() {
    using S = SettingType;
    using namespace area_ids;
    // clang-format off
    static const auto* table = new std::vector<MissionSetting>{
        // setting,          outside town, areas in order
        {S::Camp,              true,  {Valentine, Annesburg, Tumbleweed, Rhodes, SaintDenis, Blackwater, Armadillo, Strawberry}},
        {S::Wagon,             true,  {Valentine, Annesburg, Tumbleweed, Rhodes, SaintDenis, Blackwater, Armadillo, Strawberry}},
        {S::Hotel,             false, {SaintDenis, Valentine, Strawberry}},
        {S::House,             true,  {Valentine, Annesburg, Tumbleweed, Rhodes, Blackwater, Armadillo}},
        {S::HunterCamp,        true,  {Valentine, Annesburg, Tumbleweed, Rhodes, Blackwater, Armadillo, Strawberry}},
        {S::Saloon,            false, {Valentine, Tumbleweed, Rhodes, SaintDenis, Blackwater, Armadillo}},
        {S::TrainStation,      false, {Valentine, Annesburg, Tumbleweed, Rhodes, SaintDenis, Blackwater, Strawberry}},
        {S::Street,            false, {Valentine, Annesburg, Rhodes, SaintDenis, Blackwater, Strawberry}},
        {S::PrisonerTransport, false, {Valentine, Rhodes, Blackwater, Strawberry, SaintDenis}},
    };
    // clang-format on
    return *table;
}

} // namespace drovil
