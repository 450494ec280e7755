#include "world/missions_factory.h"

#include "runtime/data_files.h"
#include "runtime/debug_tools.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"
#include "world/alive_bounty.h"
#include "world/area_ids.h"
#include "world/bounty.h"
#include "world/map_areas.h"
#include "world/model_pools.h"
#include "world/police_departments.h"
#include "world/spawn.h"

#include <algorithm>
#include <string>

namespace drovil {
namespace {

// The oil wagon and the armed wagon convoy: variants of template 1 that pay more.
constexpr int oilWagonVariant = 0;
constexpr int armedConvoyVariant = 1;
constexpr int bountyHunterVariant = 1;
constexpr int lawmanVariant = 0;

// The wealthy traveller's coach.
constexpr Hash wealthyCoachModel = 0x680D3008;

// How far ahead of the player the debug tools look for a camp spot, metres.
constexpr float debugCampLookAhead = 80.0f;

// A mission's names are hashed once, as it is made, and kept in its record:
// they stay out of the name cache, which is for the names a frame reads again
// and again (a long game would teach it every name of every pool).
Hash hashOf(const std::string& name) {
    return natives::misc::hashOfName(name.c_str());
}
Hash pick(const NamePool& pool) {
    return hashOf(pickFrom(pool));
}

// Outside towns a target keeps a few more guards about it.
int guardsFor(const MissionSetting& setting) {
    return setting.outsideTown ? randomInt(2, 5) : randomInt(0, 2);
}

int drawBounty(const MissionTemplate& missionTemplate, const MapArea& area) {
    const DictDataFile& meta = generalMetaFile();
    BountyInputs inputs;
    inputs.baseBounty = missionTemplate.baseBounty;
    inputs.spreadPercent = randomInt(90, 110);
    inputs.distanceFromOrigin = distanceBetween(Vector3(0.0f, 0.0f, 0.0f), area.centre());
    inputs.distanceBonusThreshold = meta.getFloat("contract.distance_bonus.threshold", -999.0f);
    inputs.distanceBonusFactor = meta.getFloat("contract.distance_bonus.factor", 0.0f);
    inputs.playerBountyFactor = meta.getFloat("contract.player_bounty_factor", -999.0f);
    inputs.playerBounty = natives::player::bounty(playerIndex());
    return contractBounty(inputs);
}

void fillGangMember(MissionData& mission, const MapArea& area, const MissionSetting& setting) {
    const ModelPools& pools = modelPools();
    mission.variant = randomInt(0, 2);
    mission.targetModel = mission.variant == 1 ? pick(pools.criminalModels) : hashOf(area.randomGangModel());
    mission.guardModel = mission.targetModel;
    mission.guardsCount = guardsFor(setting);
    mission.isTargetACriminal = true;
    mission.targetLootMoney = 4000;
    mission.guardsLootMoney = 2500;
}

void fillWagonTraveller(MissionData& mission) {
    const ModelPools& pools = modelPools();
    mission.isTargetACriminal = false;
    mission.variant = randomInt(0, 6) < 3 ? randomInt(0, 6) : 2;
    if (mission.variant == oilWagonVariant) {
        mission.targetModel = hashOf("g_m_m_unicornwallgoons_01");
        mission.guardModel = mission.targetModel;
        mission.vehicleModel = hashOf("oilWagon01x");
        mission.vehiclePropsetModel = 0;
    } else if (mission.variant == armedConvoyVariant) {
        mission.targetModel = pick(pools.roughTravellerModels);
        mission.guardModel = pick(pools.roughTravellerModels);
        mission.vehicleModel = hashOf("wagon05x");
        mission.vehiclePropsetModel = hashOf("pg_mission_bra1_wagon");
    } else {
        mission.targetModel = pick(pools.roughTravellerModels);
        mission.guardModel = pick(pools.roughTravellerModels);
        mission.vehicleModel = hashOf("chuckwagon000x");
        mission.vehiclePropsetModel = pick(pools.chuckwagonLoads);
    }
    mission.targetLootMoney = 3500;
    const bool heavyConvoy = mission.variant == oilWagonVariant || mission.variant == armedConvoyVariant;
    mission.guardsCount = heavyConvoy ? randomInt(2, 5) : randomInt(0, 2);
    if (heavyConvoy)
        mission.bounty = wagonConvoyBounty(mission.bounty);
}

void fillWealthyTraveller(MissionData& mission, const MissionSetting& setting) {
    const ModelPools& pools = modelPools();
    mission.targetModel = pick(pools.wealthyMaleModels);
    if (setting.id == SettingType::Wagon || setting.id == SettingType::Hotel) {
        mission.companionsCount = 1;
        mission.companionModel = pick(pools.wealthyFemaleModels);
    } else {
        mission.companionsCount = 0;
        mission.companionModel = 0;
    }
    mission.guardsCount = guardsFor(setting);
    mission.guardModel = pick(pools.roughTravellerModels);
    mission.isTargetACriminal = false;
    mission.isTargetArmed = false;
    mission.targetFleeChance = 1.0f;
    mission.vehicleModel = wealthyCoachModel;
    mission.targetLootMoney = 4000;
}

void fillRoughTraveller(MissionData& mission) {
    mission.targetModel = pick(modelPools().roughTravellerModels);
    mission.guardsCount = 0;
    mission.isTargetACriminal = false;
    mission.isTargetArmed = true;
    mission.targetFleeChance = 0.2f;
}

void fillManOfTheLaw(MissionData& mission, const MapArea& area, const MissionSetting& setting) {
    mission.isTargetACriminal = false;
    mission.isTargetArmed = true;
    mission.targetFleeChance = 0.0f;
    mission.guardsCount = guardsFor(setting);
    // A lawman keeps to the streets; out in a camp it is a bounty hunter.
    if (setting.id == SettingType::Camp)
        mission.variant = bountyHunterVariant;
    else if (setting.id == SettingType::Street)
        mission.variant = lawmanVariant;
    else
        mission.variant = randomInt(0, 2);

    if (mission.variant == bountyHunterVariant) {
        mission.targetModel = hashOf("g_m_m_bountyhunters_01");
        mission.targetLootMoney = 1500;
        mission.guardsLootMoney = 1500;
    } else if (area.id() == area_ids::SaintDenis) {
        mission.targetModel = hashOf("s_m_m_ambientsdpolice_01");
    } else if (area.id() == area_ids::Blackwater) {
        mission.targetModel = hashOf("s_m_m_ambientblwpolice_01");
    } else {
        mission.targetModel = pick(modelPools().lawmanModels);
    }
    mission.guardModel = mission.targetModel;
}

void fillPrisoner(MissionData& mission) {
    const ModelPools& pools = modelPools();
    mission.targetModel = pick(pools.prisonerModels);
    mission.companionModel = pick(pools.prisonerModels);
    mission.companionsCount = randomInt(0, 1);
    mission.targetOutfitIndex = randomInt(0, 20);
    mission.guardsCount = 0;
    mission.guardModel = 0;
    mission.isTargetACriminal = true;
    mission.isTargetArmed = false;
    mission.targetLootMoney = 0;
    mission.companionsLootMoney = 0;
    mission.guardsLootMoney = 0;
    mission.targetFleeChance = 0.4f;
    mission.propsetModel = 0;
    mission.missionAreaRadius = 400.0f;
}

void fillByTemplate(MissionData& mission, const MapArea& area, const MissionSetting& setting) {
    switch (mission.templateId) {
    case 0:
        fillGangMember(mission, area, setting);
        break;
    case 1:
        fillWagonTraveller(mission);
        break;
    case 2:
        fillWealthyTraveller(mission, setting);
        break;
    case 3:
        fillRoughTraveller(mission);
        break;
    case 4:
        fillManOfTheLaw(mission, area, setting);
        break;
    case 5:
        fillPrisoner(mission);
        break;
    default:
        break;
    }
}

// The camp spot for a camp scene; with the debug tools on, the one nearest to a
// point ahead of the player, so that the scene is at hand.
Vector3 campSpot(const MapArea& area) {
    if (!isDebugToolsOn())
        return area.randomCampSpot();
    const Vector3 player = positionOf(playerPed());
    const Vector3 forward = natives::entity::forwardVector(playerPed().entity());
    return area.nearestCampSpot(Vector3(player.x + debugCampLookAhead * forward.x,
                                        player.y + debugCampLookAhead * forward.y,
                                        player.z + debugCampLookAhead * forward.z));
}

// Places the scene on one of the area's spots. False when the area has no place
// for it (a hotel room, a house); generation then gives none.
bool placeBySetting(MissionData& mission, const MapArea& area) {
    const ModelPools& pools = modelPools();
    switch (mission.settingType()) {
    case SettingType::Camp:
        mission.propsetModel = pick(pools.campPropsets);
        mission.coords = campSpot(area);
        return true;
    case SettingType::Wagon:
        mission.coords =
            isDebugToolsOn() ? area.nearestRoadPoint(positionOf(playerPed())) : area.randomRoadPoint();
        return true;
    case SettingType::Hotel: {
        const Place* room = area.randomPlace(PlaceKind::HotelRoom);
        if (!room)
            return false;
        mission.blipRadius = 30.0f;
        mission.coords = room->getPosition();
        return true;
    }
    case SettingType::House: {
        const Place* house = area.randomPlace(PlaceKind::House);
        if (!house)
            return false;
        mission.coords = house->getPosition();
        return true;
    }
    case SettingType::HunterCamp:
        mission.propsetModel = pick(pools.hunterCampPropsets);
        mission.companionModel = pick(pools.familyTravellerModels);
        mission.companionsCount = 1;
        mission.coords = campSpot(area);
        return true;
    case SettingType::Saloon:
        mission.blipRadius = 30.0f;
        mission.coords = area.randomSaloonSpot();
        return true;
    case SettingType::TrainStation:
        mission.blipRadius = 50.0f;
        mission.coords = area.randomStationSpot();
        mission.variant = area.id() == area_ids::Blackwater ? 1 : randomInt(0, 2);
        if (mission.variant == 0)
            mission.guardsCount = 0;
        return true;
    case SettingType::Street:
        mission.blipRadius = 40.0f;
        mission.coords = area.randomStreetSpot();
        return true;
    case SettingType::PrisonerTransport: {
        const PoliceDepartment* office = PoliceDepartments::findDepartment(area.id());
        if (!office)
            return false;
        mission.blipRadius = 30.0f;
        mission.coords = office->position;
        mission.vehicleModel = hashOf("stagecoach004_2x");
        return true;
    }
    }
    return false;
}

// The search-area blip: out in the country its centre is off the scene by a
// third of its radius, so the circle does not give the exact spot away.
void placeBlip(MissionData& mission, const MissionSetting& setting) {
    if (setting.outsideTown && setting.id != SettingType::Wagon) {
        mission.blipCoords = pointAround(mission.coords, mission.blipRadius * 0.33333334f, false);
    } else {
        mission.blipCoords = mission.coords;
        mission.spawnDistance = mission.blipRadius * 2.5f;
    }
    if (mission.missionAreaRadius == 0.0f)
        mission.missionAreaRadius = mission.blipRadius * 3.0f;
}

} // namespace

MissionsFactory::MissionsFactory() : templates_(missionTemplateTable()), settings_(missionSettingTable()) {}

std::optional<MissionData> MissionsFactory::createRandomMission(int id, const MapArea& area) {
    return createMission(id, area, randomInt(0, templateCount));
}

std::optional<MissionData> MissionsFactory::createMission(int id, const MapArea& area, int templateType) {
    const MissionTemplate* missionTemplate = findTemplate(templateType);
    const int settingType = missionTemplate ? pickSettingType(*missionTemplate, area.id()) : -1;
    if (settingType == -1) {
        log("MissionsFactory: Error: could not generate a setting type for the selected mission type (" +
            std::to_string(templateType) + "in area" + area.name());
        return std::nullopt;
    }
    return build(id, area, templateType, settingType);
}

std::optional<MissionData> MissionsFactory::createMissionInSetting(int id, const MapArea& area,
                                                                   int templateType, SettingType setting) {
    return build(id, area, templateType, static_cast<int>(setting));
}

const MissionTemplate* MissionsFactory::findTemplate(int type) const {
    auto it = std::find_if(templates_.begin(), templates_.end(),
                           [type](const MissionTemplate& candidate) { return candidate.type == type; });
    if (it == templates_.end()) {
        log("could not find a template object for type: " + std::to_string(type));
        return nullptr;
    }
    return &*it;
}

const MissionSetting* MissionsFactory::findSetting(int id) const {
    auto it = std::find_if(settings_.begin(), settings_.end(), [id](const MissionSetting& candidate) {
        return static_cast<int>(candidate.id) == id;
    });
    return it == settings_.end() ? nullptr : &*it;
}

namespace {
// A setting placed on one of the area's spot lists needs a spot to be placed
// on: without one the scene would stand at the map's origin (Armadillo lists
// saloon contracts but has no saloon). Settings placed at a place or an office
// look theirs up when the mission is made.
bool areaHasSpotFor(Hash areaId, SettingType setting) {
    if (!mapAreasCreated())
        return true;
    const MapArea* area = mapAreas().findArea(areaId);
    if (!area)
        return true;
    switch (setting) {
    case SettingType::Camp:
    case SettingType::HunterCamp:
        return !area->campSpots().empty();
    case SettingType::Wagon:
        return !area->roadPoints().empty();
    case SettingType::Saloon:
        return !area->saloonSpots().empty();
    case SettingType::TrainStation:
        return !area->stationSpots().empty();
    case SettingType::Street:
        return !area->streetSpots().empty();
    default:
        return true;
    }
}
} // namespace

const std::vector<const MissionSetting*>& MissionsFactory::settingsOfArea(Hash areaId) {
    auto [it, added] = settingsByArea_.try_emplace(areaId);
    if (added) {
        std::vector<const MissionSetting*> offered;
        for (const MissionSetting& setting : settings_)
            if (std::find(setting.areaIds.begin(), setting.areaIds.end(), areaId) != setting.areaIds.end() &&
                areaHasSpotFor(areaId, setting.id))
                offered.push_back(&setting);
        std::sort(offered.begin(), offered.end(),
                  [](const MissionSetting* a, const MissionSetting* b) { return a->id < b->id; });
        it->second = std::move(offered);
    }
    return it->second;
}

int MissionsFactory::pickSettingType(const MissionTemplate& missionTemplate, Hash areaId) {
    const std::vector<const MissionSetting*>& offered = settingsOfArea(areaId);
    std::vector<int> selected;
    for (SettingType type : missionTemplate.settingTypes) {
        const bool inArea =
            std::any_of(offered.begin(), offered.end(),
                        [type](const MissionSetting* setting) { return setting->id == type; });
        if (inArea)
            selected.push_back(static_cast<int>(type));
    }
    if (selected.empty())
        return -1;
    return selected[static_cast<std::size_t>(randomInt(0, static_cast<int>(selected.size())))];
}

std::optional<MissionData> MissionsFactory::build(int id, const MapArea& area, int templateType,
                                                  int settingType) {
    const MissionTemplate* missionTemplate = findTemplate(templateType);
    if (!missionTemplate) {
        log("MissionsFactory: template not found: " + std::to_string(templateType));
        return std::nullopt;
    }
    const MissionSetting* setting = findSetting(settingType);
    if (!setting) {
        log("MissionsFactory: setting not found: " + std::to_string(settingType));
        return std::nullopt;
    }

    const int bounty = drawBounty(*missionTemplate, area);
    MissionData mission = MissionData::newRecord(id, Vector3(0.0f, 0.0f, 0.0f), templateType, settingType,
                                                 area.signedId(), bounty);
    mission.createdAt = natives::misc::secondsSinceBaseYear();
    mission.targetOutfitIndex = randomInt(0, 21);

    fillByTemplate(mission, area, *setting);
    if (!placeBySetting(mission, area))
        return std::nullopt;
    placeBlip(mission, *setting);
    // Dead or alive: what the target pays on top when he is brought in alive.
    mission.bonusesReward = aliveBonusFor(mission.bounty);
    return mission;
}

MissionsFactory& missionsFactory() {
    static auto* factory = new MissionsFactory();
    return *factory;
}

} // namespace drovil
