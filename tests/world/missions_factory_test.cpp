// Mission generation in a running game: thousands of seeded missions per map
// area, checked against what the contracts promise the player — the settings
// an area offers, the bounty rules, where the scene and its blip go, and who
// the target is.
#include "support/game.h"
#include "support/script_thread.h"
#include "world/world_data_checks.h"

#include "runtime/debug_tools.h"
#include "world/area_ids.h"
#include "world/bounty.h"
#include "world/map_areas.h"
#include "world/missions_factory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {
using drovil::Hash;
using drovil::MapArea;
using drovil::MissionData;
using drovil::Vector3;
using worldtest::samePoint;

enum Setting { Camp, Wagon, Hotel, House, HunterCamp, Saloon, TrainStation, Street, PrisonerTransport };

// What each template may be placed in, and what each town offers, as the
// contract rules state them.
const std::map<int, std::set<int>> templateSettings = {
    {0, {Camp, Saloon, Street, PrisonerTransport}},
    {1, {Wagon}},
    {2, {Wagon, Hotel, TrainStation, Street}},
    {3, {HunterCamp, Saloon, Street}},
    {4, {Saloon, Street, Camp}},
    {5, {PrisonerTransport}},
};
const std::map<std::string, std::set<int>> areaSettings = {
    {"Valentine", {Camp, Wagon, Hotel, House, HunterCamp, Saloon, TrainStation, Street, PrisonerTransport}},
    {"Annesburg", {Camp, Wagon, House, HunterCamp, TrainStation, Street}},
    {"Tumbleweed", {Camp, Wagon, House, HunterCamp, Saloon, TrainStation}},
    {"Rhodes", {Camp, Wagon, House, HunterCamp, Saloon, TrainStation, Street, PrisonerTransport}},
    {"Saint Denis", {Camp, Wagon, Hotel, Saloon, TrainStation, Street, PrisonerTransport}},
    {"Blackwater", {Camp, Wagon, House, HunterCamp, Saloon, TrainStation, Street, PrisonerTransport}},
    // Armadillo is listed for saloon contracts but has no saloon to hold one.
    {"Armadillo", {Camp, Wagon, House, HunterCamp}},
    {"Strawberry", {Camp, Wagon, Hotel, HunterCamp, TrainStation, Street, PrisonerTransport}},
};

Hash hashOf(const std::string& name) {
    return sim::gameHash(name);
}

std::set<Hash> hashesOf(const std::vector<std::string>& names) {
    std::set<Hash> hashes;
    for (const std::string& name : names)
        hashes.insert(hashOf(name));
    return hashes;
}

const std::set<Hash> roughTravellers =
    hashesOf({"a_m_m_griroughtravellers_01", "a_m_m_rkrroughtravellers_01", "a_m_m_sclroughtravellers_01",
              "a_m_m_sdroughtravellers_01", "a_m_m_bivroughtravellers_01", "a_m_m_bynroughtravellers_01",
              "a_m_m_htlroughtravellers_01"});
const std::set<Hash> criminals =
    hashesOf({"g_m_m_uniafricanamericangang_01", "g_m_m_unicriminals_01", "g_m_m_unicriminals_02"});
const std::set<Hash> ruralLawmen = hashesOf({"s_m_m_marshallsrural_01", "s_m_m_dispatchleaderrural_01",
                                             "s_m_m_ambientlawrural_01", "s_m_m_pinlaw_01"});
const std::set<Hash> wealthyMen =
    hashesOf({"a_m_m_gamhighsociety_01", "a_m_m_grifancytravellers_01", "a_m_m_htlfancytravellers_01",
              "a_m_m_strfancytourist_01", "a_m_m_blwupperclass_01", "a_m_m_nbxupperclass_01",
              "a_m_m_rhdupperclass_01", "a_m_m_uppertrainpassengers_01"});
const std::set<Hash> wealthyWomen =
    hashesOf({"a_f_m_gamhighsociety_01", "a_f_m_grifancytravellers_01", "a_f_m_htlfancytravellers_01",
              "a_f_m_bivfancytravellers_01", "a_f_m_rkrfancytravellers_01", "a_f_m_sclfancytravellers_01"});
const std::set<Hash> campPropsets =
    hashesOf({"pg_ambient_campfireexconfed01x", "pg_re_odoriscollboysgang03x", "pg_bh_campreturn01x"});
const std::set<Hash> hunterCampPropsets =
    hashesOf({"pg_ambient_campfire04x_tent", "pg_ambient_campfire05x_tent"});
const std::set<Hash> familyTravellers =
    hashesOf({"a_f_m_familytravelers_cool_01", "a_f_m_familytravelers_warm_01"});
const std::set<Hash> chuckwagonLoads = hashesOf(
    {"pg_teamster_chuckwagon000x_breakables", "pg_teamster_chuckwagon000x_perishables", "pg_vehload_cotton01",
     "pg_vehload_crates01", "pg_vehload_lumber01", "pg_vehload_sacks01", "pg_vl_blacksmith01"});

// The sheriff's offices the prisoner transports start from.
const std::map<std::string, Vector3> sheriffOffices = {
    {"Valentine", Vector3(-275.256f, 801.303f, 118.397f)},
    {"Rhodes", Vector3(1358.17f, -1308.19f, 76.7296f)},
    {"Blackwater", Vector3(-756.347f, -1269.24f, 43.0285f)},
    {"Strawberry", Vector3(-1804.106f, -352.3542f, 164.1339f)},
    {"Saint Denis", Vector3(2502.79f, -1308.546f, 47.95366f)},
};

bool containsPoint(const std::vector<Vector3>& points, const Vector3& point) {
    return std::any_of(points.begin(), points.end(), [&](const Vector3& p) { return samePoint(p, point); });
}

std::vector<Vector3> streetPositions(const MapArea& area) {
    std::vector<Vector3> positions;
    for (const drovil::StreetSpot& spot : area.streetSpots())
        positions.push_back(spot.position);
    return positions;
}

std::vector<Vector3> placePositions(const MapArea& area, drovil::PlaceKind kind) {
    std::vector<Vector3> positions;
    for (const drovil::Place* place : area.places())
        if (place->getKind() == kind)
            positions.push_back(place->getPosition());
    return positions;
}

// The first of the nearest points, as the debug placement must find it.
Vector3 nearestOf(const std::vector<Vector3>& points, const Vector3& to) {
    Vector3 best = points.front();
    float bestDistance = std::hypot(std::hypot(best.x - to.x, best.y - to.y), best.z - to.z);
    for (const Vector3& point : points) {
        const float distance = std::hypot(std::hypot(point.x - to.x, point.y - to.y), point.z - to.z);
        if (distance < bestDistance) {
            best = point;
            bestDistance = distance;
        }
    }
    return best;
}

class MissionsFactoryInGame : public ::testing::Test {
protected:
    void start(sim::SessionOptions options = {}) {
        session = std::make_unique<sim::Session>(options);
        ASSERT_TRUE(test::startGame(*session));
        ASSERT_TRUE(drovil::mapAreasCreated());
    }

    const MapArea& area(const std::string& name) {
        for (const MapArea* candidate : drovil::mapAreas().distinctAreas())
            if (candidate->name() == name)
                return *candidate;
        ADD_FAILURE() << "no map area named " << name;
        return *drovil::mapAreas().distinctAreas().front();
    }

    // `count` missions of one template (or of random ones with -1) for the area,
    // all generated within one frame; none where the factory gives none.
    std::vector<std::optional<MissionData>> generate(const MapArea& where, int templateType, int count) {
        std::vector<std::optional<MissionData>> missions;
        test::runOnScriptThread(*session, [&] {
            drovil::MissionsFactory& factory = drovil::missionsFactory();
            for (int id = 1; id <= count; ++id)
                missions.push_back(templateType < 0 ? factory.createRandomMission(id, where)
                                                    : factory.createMission(id, where, templateType));
        });
        return missions;
    }

    // Only the missions generated, in order.
    std::vector<MissionData> generated(const MapArea& where, int templateType, int count) {
        std::vector<MissionData> missions;
        for (auto& mission : generate(where, templateType, count))
            if (mission)
                missions.push_back(*mission);
        return missions;
    }

    std::unique_ptr<sim::Session> session;
};

TEST_F(MissionsFactoryInGame, EveryTemplateLandsOnlyInTheSettingsItsAreaOffers) {
    start();
    for (const auto& [areaName, offered] : areaSettings) {
        const MapArea& where = area(areaName);
        for (const auto& [templateType, allowed] : templateSettings) {
            std::set<int> expected;
            std::set_intersection(allowed.begin(), allowed.end(), offered.begin(), offered.end(),
                                  std::inserter(expected, expected.begin()));
            const auto missions = generate(where, templateType, 250);
            std::set<int> seen;
            for (std::size_t i = 0; i < missions.size(); ++i) {
                if (expected.empty()) {
                    EXPECT_FALSE(missions[i])
                        << "template " << templateType << " has no setting in " << areaName;
                    continue;
                }
                ASSERT_TRUE(missions[i]) << "template " << templateType << " in " << areaName;
                const MissionData& mission = *missions[i];
                EXPECT_EQ(mission.id, static_cast<int>(i) + 1);
                EXPECT_EQ(mission.templateId, templateType);
                EXPECT_EQ(mission.areaId, where.signedId());
                EXPECT_EQ(mission.status, 0);
                seen.insert(mission.settingId);
            }
            EXPECT_EQ(seen, expected) << "template " << templateType << " in " << areaName;
        }
    }

    // A random template in Valentine, which offers every setting: all six
    // templates come up, and every one gives a mission.
    std::set<int> templates;
    for (const auto& mission : generate(area("Valentine"), -1, 1200)) {
        ASSERT_TRUE(mission);
        templates.insert(mission->templateId);
        EXPECT_NE(mission->settingId, House) << "no template is placed in a house";
    }
    EXPECT_EQ(templates, (std::set<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(MissionsFactoryInGame, APrisonerTransportIsNeverGeneratedInAnnesburg) {
    start();
    const MapArea& annesburg = area("Annesburg");
    for (const auto& mission : generate(annesburg, 5, 300))
        EXPECT_FALSE(mission);
    EXPECT_TRUE(
        session->logContains("MissionsFactory: Error: could not generate a setting type for the selected "
                             "mission type (5in areaAnnesburg"));

    // A gang member there is always placed, in a camp or on the street.
    std::set<int> settings;
    for (const MissionData& mission : generated(annesburg, 0, 300))
        settings.insert(mission.settingId);
    EXPECT_EQ(settings, (std::set<int>{Camp, Street}));
}

TEST_F(MissionsFactoryInGame, BountiesFollowTheSpreadTheRemoteBonusAndTheConvoyPremium) {
    start();
    auto bountiesOf = [](const std::vector<MissionData>& missions) {
        std::set<int> bounties;
        for (const MissionData& mission : missions)
            bounties.insert(mission.bounty);
        return bounties;
    };

    // Valentine is close to the middle of the map: $55 spread by 90-109% is $49
    // to $59, rounded to the nearest 5.
    EXPECT_EQ(bountiesOf(generated(area("Valentine"), 0, 1500)), (std::set<int>{50, 55, 60}));

    // Tumbleweed is remote and pays 10% more: $53 to $64 before rounding.
    EXPECT_EQ(bountiesOf(generated(area("Tumbleweed"), 0, 1500)), (std::set<int>{55, 60, 65}));

    // Wagon travellers: $40 spread gives 35, 40 or 45; the oil wagon and the
    // armed convoy (variants 0 and 1) pay 15% on top, not rounded again.
    std::set<int> convoys, wagons;
    for (const MissionData& mission : generated(area("Valentine"), 1, 2500))
        (mission.variant <= 1 ? convoys : wagons).insert(mission.bounty);
    EXPECT_EQ(wagons, (std::set<int>{35, 40, 45}));
    EXPECT_EQ(convoys, (std::set<int>{40, 46, 51}));

    // A wanted player's contracts pay more: with a bounty of $100 (10000 cents)
    // on the player's head the shipped weight adds 20%, $58 to $70 before rounding.
    session->world().player.bountyCents = 10000;
    EXPECT_EQ(bountiesOf(generated(area("Valentine"), 0, 1500)), (std::set<int>{60, 65, 70}));
}

TEST_F(MissionsFactoryInGame, AConvoyWorthAHundredPaysOneHundredFourteen) {
    // With the player's bounty weighted in full, $15 (1500 cents) on the player's head makes
    // a wagon's $36-$43 into $90-$107, rounded to 90, 95, 100 or 105; the convoy
    // premium on 100 lies just below 115.
    sim::SessionOptions options;
    options.writeFiles = {{"GeneralMeta.dat", "contract.distance_bonus.threshold=3000.0\n"
                                              "contract.distance_bonus.factor=0.1\n"
                                              "contract.player_bounty_factor=1.0\n"}};
    start(options);
    session->world().player.bountyCents = 1500;
    std::set<int> convoys, wagons;
    for (const MissionData& mission : generated(area("Valentine"), 1, 2500))
        (mission.variant <= 1 ? convoys : wagons).insert(mission.bounty);
    EXPECT_EQ(wagons, (std::set<int>{90, 95, 100, 105}));
    EXPECT_EQ(convoys, (std::set<int>{103, 109, 114, 120}));
}

TEST_F(MissionsFactoryInGame, EachSettingHasItsBlipAndRadii) {
    start();
    struct Radii {
        float blip, spawn, area;
    };
    const std::map<int, Radii> expected = {
        {Camp, {90, 250, 270}},         {HunterCamp, {90, 250, 270}}, {Wagon, {90, 225, 270}},
        {Hotel, {30, 75, 90}},          {Saloon, {30, 75, 90}},       {PrisonerTransport, {30, 75, 90}},
        {TrainStation, {50, 125, 150}}, {Street, {40, 100, 120}},
    };
    std::map<int, int> counts;
    for (const MapArea* where : drovil::mapAreas().distinctAreas()) {
        for (const MissionData& mission : generated(*where, -1, 600)) {
            counts[mission.settingId] += 1;
            const Radii& radii = expected.at(mission.settingId);
            EXPECT_EQ(mission.blipRadius, radii.blip) << "setting " << mission.settingId;
            EXPECT_EQ(mission.spawnDistance, radii.spawn) << "setting " << mission.settingId;
            const float areaRadius = mission.templateId == 5 ? 400.0f : radii.area;
            EXPECT_EQ(mission.missionAreaRadius, areaRadius) << "setting " << mission.settingId;

            const bool countryside = mission.settingId == Camp || mission.settingId == HunterCamp;
            if (countryside) {
                // Out in the country the circle is off the scene by a third of its radius.
                EXPECT_NEAR(worldtest::planeDistance(mission.blipCoords, mission.coords), 30.0f, 0.01f);
                EXPECT_FLOAT_EQ(mission.blipCoords.z, mission.coords.z + 0.3f);
            } else {
                EXPECT_TRUE(samePoint(mission.blipCoords, mission.coords)) << "setting " << mission.settingId;
            }
        }
    }
    for (const auto& [setting, radii] : expected)
        EXPECT_GT(counts[setting], 20) << "setting " << setting << " came up";
}

TEST_F(MissionsFactoryInGame, ScenesArePlacedOnTheAreasOwnSpots) {
    start();
    std::set<int> placed;
    for (const MapArea* where : drovil::mapAreas().distinctAreas()) {
        const std::vector<Vector3> hotelRooms = placePositions(*where, drovil::PlaceKind::HotelRoom);
        for (const MissionData& mission : generated(*where, -1, 800)) {
            placed.insert(mission.settingId);
            const Vector3& at = mission.coords;
            switch (mission.settingId) {
            case Camp:
            case HunterCamp:
                EXPECT_TRUE(containsPoint(where->campSpots(), at)) << where->name();
                break;
            case Wagon:
                EXPECT_TRUE(containsPoint(where->roadPoints(), at)) << where->name();
                break;
            case Hotel:
                EXPECT_TRUE(containsPoint(hotelRooms, at)) << where->name();
                break;
            case Saloon:
                EXPECT_TRUE(containsPoint(where->saloonSpots(), at)) << where->name();
                break;
            case TrainStation:
                EXPECT_TRUE(containsPoint(where->stationSpots(), at)) << where->name();
                break;
            case Street:
                EXPECT_TRUE(containsPoint(streetPositions(*where), at)) << where->name();
                break;
            case PrisonerTransport:
                ASSERT_EQ(sheriffOffices.count(where->name()), 1u);
                EXPECT_TRUE(samePoint(at, sheriffOffices.at(where->name()))) << where->name();
                EXPECT_EQ(mission.vehicleModel, hashOf("stagecoach004_2x"));
                break;
            default:
                ADD_FAILURE() << "setting " << mission.settingId;
            }
        }
    }
    EXPECT_EQ(placed.size(), 8u) << "every setting but House came up";

    // Armadillo is listed for saloon contracts but has no saloon: it never
    // makes one (it would stand at the map's origin), and its rough travellers
    // are all placed at hunters' camps.
    std::set<int> armadilloSettings;
    for (const MissionData& mission : generated(area("Armadillo"), 3, 300)) {
        armadilloSettings.insert(mission.settingId);
        EXPECT_FALSE(samePoint(mission.coords, Vector3()));
    }
    EXPECT_EQ(armadilloSettings, (std::set<int>{HunterCamp}));
}

TEST_F(MissionsFactoryInGame, ALawmanWalksTheStreetAndABountyHunterKeepsCamp) {
    start();
    for (const MapArea* where : drovil::mapAreas().distinctAreas()) {
        std::set<int> saloonVariants;
        for (const MissionData& mission : generated(*where, 4, 300)) {
            EXPECT_FALSE(mission.isTargetACriminal);
            EXPECT_TRUE(mission.isTargetArmed);
            EXPECT_EQ(mission.targetFleeChance, 0.0f);
            EXPECT_EQ(mission.guardModel, mission.targetModel);
            if (mission.settingId == Camp) {
                EXPECT_EQ(mission.variant, 1) << "a camp is a bounty hunter's";
            }
            if (mission.settingId == Street) {
                EXPECT_EQ(mission.variant, 0) << "the street is a lawman's";
            }
            if (mission.settingId == Saloon)
                saloonVariants.insert(mission.variant);

            if (mission.variant == 1) {
                EXPECT_EQ(mission.targetModel, hashOf("g_m_m_bountyhunters_01"));
                EXPECT_EQ(mission.targetLootMoney, 1500);
                EXPECT_EQ(mission.guardsLootMoney, 1500);
            } else {
                EXPECT_EQ(mission.targetLootMoney, 0);
                EXPECT_EQ(mission.guardsLootMoney, 0);
                Hash expectedLawman = 0;
                if (where->id() == drovil::area_ids::SaintDenis)
                    expectedLawman = hashOf("s_m_m_ambientsdpolice_01");
                if (where->id() == drovil::area_ids::Blackwater)
                    expectedLawman = hashOf("s_m_m_ambientblwpolice_01");
                if (expectedLawman != 0) {
                    EXPECT_EQ(mission.targetModel, expectedLawman) << where->name();
                } else {
                    EXPECT_EQ(ruralLawmen.count(mission.targetModel), 1u) << where->name();
                }
            }
            const bool countryside = mission.settingId == Camp;
            EXPECT_GE(mission.guardsCount, countryside ? 2 : 0);
            EXPECT_LE(mission.guardsCount, countryside ? 4 : 1);
        }
        if (areaSettings.at(where->name()).count(Saloon)) {
            EXPECT_EQ(saloonVariants, (std::set<int>{0, 1})) << "either in a saloon, in " << where->name();
        }
    }
}

TEST_F(MissionsFactoryInGame, EachTemplateMakesItsOwnKindOfTarget) {
    start();
    std::map<int, int> byTemplate;
    std::set<int> convoyVariants;
    for (const MapArea* where : drovil::mapAreas().distinctAreas()) {
        const std::set<Hash> gang = hashesOf(where->gangModels());
        for (const MissionData& m : generated(*where, -1, 700)) {
            byTemplate[m.templateId] += 1;
            const bool countryside = m.settingId == Camp || m.settingId == HunterCamp || m.settingId == Wagon;
            EXPECT_GE(m.targetOutfitIndex, 0);
            EXPECT_LE(m.targetOutfitIndex, 20);
            EXPECT_EQ(m.bonusesReward, 0);
            switch (m.templateId) {
            case 0:
                EXPECT_EQ((m.variant == 1 ? criminals : gang).count(m.targetModel), 1u) << where->name();
                EXPECT_EQ(m.guardModel, m.targetModel);
                EXPECT_TRUE(m.isTargetACriminal);
                EXPECT_TRUE(m.isTargetArmed);
                EXPECT_EQ(m.targetLootMoney, 4000);
                EXPECT_EQ(m.guardsLootMoney, 2500);
                EXPECT_GE(m.guardsCount, countryside ? 2 : 0);
                EXPECT_LE(m.guardsCount, countryside ? 4 : 1);
                if (m.settingId == Camp) {
                    EXPECT_EQ(campPropsets.count(m.propsetModel), 1u);
                }
                break;
            case 1:
                convoyVariants.insert(m.variant);
                EXPECT_FALSE(m.isTargetACriminal);
                EXPECT_TRUE(m.isTargetArmed);
                EXPECT_EQ(m.targetLootMoney, 3500);
                if (m.variant == 0) {
                    EXPECT_EQ(m.targetModel, hashOf("g_m_m_unicornwallgoons_01"));
                    EXPECT_EQ(m.vehicleModel, hashOf("oilWagon01x"));
                    EXPECT_EQ(m.vehiclePropsetModel, 0u);
                } else if (m.variant == 1) {
                    EXPECT_EQ(roughTravellers.count(m.guardModel), 1u);
                    EXPECT_EQ(m.vehicleModel, hashOf("wagon05x"));
                    EXPECT_EQ(m.vehiclePropsetModel, hashOf("pg_mission_bra1_wagon"));
                } else {
                    EXPECT_EQ(roughTravellers.count(m.targetModel), 1u);
                    EXPECT_EQ(m.vehicleModel, hashOf("chuckwagon000x"));
                    EXPECT_EQ(chuckwagonLoads.count(m.vehiclePropsetModel), 1u);
                }
                EXPECT_GE(m.guardsCount, m.variant <= 1 ? 2 : 0);
                EXPECT_LE(m.guardsCount, m.variant <= 1 ? 4 : 1);
                break;
            case 2: {
                EXPECT_EQ(wealthyMen.count(m.targetModel), 1u);
                EXPECT_EQ(roughTravellers.count(m.guardModel), 1u);
                const bool escorted = m.settingId == Wagon || m.settingId == Hotel;
                EXPECT_EQ(m.companionsCount, escorted ? 1 : 0);
                EXPECT_EQ(wealthyWomen.count(m.companionModel), escorted ? 1u : 0u);
                EXPECT_FALSE(m.isTargetACriminal);
                EXPECT_FALSE(m.isTargetArmed);
                EXPECT_EQ(m.targetFleeChance, 1.0f);
                EXPECT_EQ(m.vehicleModel, 0x680D3008u);
                EXPECT_EQ(m.targetLootMoney, 4000);
                break;
            }
            case 3:
                EXPECT_EQ(roughTravellers.count(m.targetModel), 1u);
                EXPECT_EQ(m.guardsCount, 0);
                EXPECT_TRUE(m.isTargetArmed);
                EXPECT_FALSE(m.isTargetACriminal);
                EXPECT_FLOAT_EQ(m.targetFleeChance, 0.2f);
                EXPECT_EQ(m.targetLootMoney, 0);
                if (m.settingId == HunterCamp) {
                    EXPECT_EQ(m.companionsCount, 1);
                    EXPECT_EQ(familyTravellers.count(m.companionModel), 1u);
                    EXPECT_EQ(hunterCampPropsets.count(m.propsetModel), 1u);
                }
                break;
            case 5:
                EXPECT_EQ(m.targetModel, hashOf("a_m_m_skpprisoner_01"));
                EXPECT_EQ(m.companionsCount, 0);
                EXPECT_LT(m.targetOutfitIndex, 20);
                EXPECT_EQ(m.guardsCount, 0);
                EXPECT_EQ(m.guardModel, 0u);
                EXPECT_TRUE(m.isTargetACriminal);
                EXPECT_FALSE(m.isTargetArmed);
                EXPECT_FLOAT_EQ(m.targetFleeChance, 0.4f);
                EXPECT_EQ(m.propsetModel, 0u);
                EXPECT_EQ(m.missionAreaRadius, 400.0f);
                break;
            default:
                break;
            }
            if (m.settingId == TrainStation) {
                if (where->id() == drovil::area_ids::Blackwater) {
                    EXPECT_EQ(m.variant, 1) << "Blackwater's station scene is always the second";
                }
                if (m.variant == 0) {
                    EXPECT_EQ(m.guardsCount, 0);
                }
            }
        }
    }
    for (int type = 0; type < 6; ++type)
        EXPECT_GT(byTemplate[type], 200) << "template " << type;
    EXPECT_EQ(convoyVariants, (std::set<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(MissionsFactoryInGame, DebugToolsPlaceTheSceneAtThePlayersHand) {
    sim::SessionOptions options;
    options.settingsLines = {"DevTools=1"};
    start(options);
    session->tapKey(test::keyF2);
    session->runFrames(2);
    ASSERT_TRUE(drovil::isDebugToolsOn());

    const MapArea& valentine = area("Valentine");
    sim::EntityRecord& player = session->world().playerPed();
    player.position = Vector3(-600.0f, 1100.0f, 150.0f);
    player.heading = 45.0f;
    const Vector3 forward = sim::forwardOf(player.heading);
    const Vector3 ahead(player.position.x + 80.0f * forward.x, player.position.y + 80.0f * forward.y,
                        player.position.z + 80.0f * forward.z);

    const Vector3 road = nearestOf(valentine.roadPoints(), player.position);
    for (const MissionData& mission : generated(valentine, 1, 20))
        EXPECT_TRUE(samePoint(mission.coords, road)) << "the road point nearest to the player";

    const Vector3 camp = nearestOf(valentine.campSpots(), ahead);
    int camps = 0;
    for (const MissionData& mission : generated(valentine, 3, 60))
        if (mission.settingId == HunterCamp) {
            ++camps;
            EXPECT_TRUE(samePoint(mission.coords, camp)) << "the camp spot nearest to 80 m ahead";
        }
    EXPECT_GT(camps, 0);
}

// The bounty arithmetic itself, without the game.
TEST(ContractBounty, RoundsToFiveAndKeepsSinglePrecision) {
    drovil::BountyInputs base;
    base.baseBounty = 55;
    base.spreadPercent = 100;
    base.distanceFromOrigin = 740.0f;
    base.distanceBonusThreshold = 3000.0f;
    base.distanceBonusFactor = 0.1f;
    base.playerBountyFactor = 0.02f;
    base.playerBounty = 0;
    EXPECT_EQ(drovil::contractBounty(base), 55);

    // The player's own bounty lifts the raw $55 to $57 (rounds down) or $58 (up).
    drovil::BountyInputs wanted = base;
    wanted.playerBountyFactor = 1.0f;
    wanted.playerBounty = 40;
    EXPECT_EQ(drovil::contractBounty(wanted), 55);
    wanted.playerBounty = 60;
    EXPECT_EQ(drovil::contractBounty(wanted), 60);

    EXPECT_EQ(drovil::roundToFive(57), 55);
    EXPECT_EQ(drovil::roundToFive(58), 60);
    EXPECT_EQ(drovil::roundToFive(52), 50);
    EXPECT_EQ(drovil::roundToFive(53), 55);

    // Past the threshold the remote bonus applies: $55 and 10% is $60.5, kept as $60.
    drovil::BountyInputs remote = base;
    remote.distanceFromOrigin = 3000.0f;
    EXPECT_EQ(drovil::contractBounty(remote), 60);

    // The 90-109% spread of $55 goes from $49 (rounded to 50) to $59 (to 60).
    drovil::BountyInputs low = base, high = base;
    low.spreadPercent = 90;
    high.spreadPercent = 109;
    EXPECT_EQ(drovil::contractBounty(low), 50);
    EXPECT_EQ(drovil::contractBounty(high), 60);

    // Without the player-bounty weight the game's absent value makes it worthless.
    drovil::BountyInputs absent = base;
    absent.playerBountyFactor = -999.0f;
    absent.playerBounty = 100;
    EXPECT_LT(drovil::contractBounty(absent), 0);

    EXPECT_EQ(drovil::wagonConvoyBounty(40), 46);
    EXPECT_EQ(drovil::wagonConvoyBounty(100), 114);
}

} // namespace
