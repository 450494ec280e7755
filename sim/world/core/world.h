#pragma once
// The simulated game world: everything the simulated natives read and change.
#include "world/screen/blips.h"
#include "world/screen/gps_route.h"
#include "world/screen/cash_changes.h"
#include "world/core/clock.h"
#include "world/places/doors.h"
#include "world/screen/documents.h"
#include "world/core/entities.h"
#include "world/screen/hud.h"
#include "world/screen/frontend_sounds.h"
#include "world/senses/line_of_sight.h"
#include "world/screen/controls.h"
#include "world/core/game_events.h"
#include "world/core/kept_records.h"
#include "world/people/scene_ped_states.h"
#include "world/core/script_timer.h"
#include "world/core/model_streaming.h"
#include "world/core/name_checks.h"
#include "world/core/objects.h"
#include "world/people/ped_appearance.h"
#include "world/core/player_state.h"
#include "world/screen/prompts.h"
#include "world/people/relationship_groups.h"
#include "world/people/ped_groups.h"
#include "world/people/ped_traits.h"
#include "world/people/weapons.h"
#include "world/people/fleeing.h"
#include "world/places/station_clerks.h"
#include "world/core/strings.h"
#include "world/people/vehicle_seats.h"
#include "world/people/speech.h"
#include "world/screen/portrait.h"
#include "world/core/weather.h"
#include "world/senses/perception.h"
#include "world/people/tasks.h"
#include "world/law/combat.h"
#include "world/law/law.h"
#include "world/places/geography.h"
#include "world/places/scenario_points.h"
#include "world/people/townsfolk.h"
#include "world/people/animations.h"
#include "world/places/propsets.h"
#include "world/wildlife/animals.h"
#include "world/wildlife/hunting.h"
#include "world/wildlife/wildlife.h"
#include "world/vehicles/traffic.h"
#include "world/vehicles/trains.h"
#include "world/town/law_response.h"
#include "world/town/saloons.h"
#include "world/people/interactions.h"
#include "world/people/restraints.h"
#include "world/town/sheriff_offices.h"

#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace sim {

struct World {
    explicit World(std::uint32_t seed);

    Clock clock;
    Hud hud;
    Prompts prompts;
    GameStrings strings;
    NameChecks names; // what the game makes of the names scripts pass it
    Entities entities;
    PlayerState player;
    std::vector<std::string> registeredDecorators; // in registration order
    std::mt19937 random;
    // The game's mission flag: one for the whole game, set by the game's own
    // story missions and by any script that says it runs a mission; the game
    // does not save while it is set. `missionFlagSets` counts the scripts' calls.
    bool missionFlag = false;
    int missionFlagSets = 0;
    // A random encounter of the world (a stranger, an ambush) is under way.
    bool randomEventFlag = false;
    // The game can make persona photographs (the pedshot service is up).
    bool pedshotAvailable = true;
    // The language the game is set to, as the game numbers them: 0 English,
    // 1 French, 2 German... (the player chooses it in the game's settings).
    int language = 0;
    Doors doors;
    // The cash changes shown since the session began, oldest first: the latest keptCashChanges.
    static constexpr std::size_t keptCashChanges = 256;
    KeptRecords<CashChangeShown> cashChanges{keptCashChanges};
    StationClerks stationClerks;
    ModelStreaming models;
    VehicleSeats seats;
    PedAppearances appearances;
    RelationshipGroups relationships; // how peds stand towards one another
    PedGroups pedGroups;              // leaders and their followers
    Weapons weapons;                  // what every ped carries and has selected
    Blips blips;
    GpsRoute route; // the route a script drew on the map
    Controls controls;
    Geography geography; // zones, ground, roads and railway of the map
    ScenarioPoints scenarioPoints; // the map's, the camps' and the scripts' scenario points
    ScriptTimer scriptTimer;
    ScriptTimer secondTimer; // the script's other timer, apart from the first
    GameEvents gameEvents;
    LineOfSight lineOfSight;
    ScenePedStates scenePeds;
    Speech speech;
    Portraits portraits;
    Objects objects;     // props scripts created
    Documents documents; // cards held and inspected
    FrontendSounds sounds; // menu sounds played
    PedTraits traits;      // sex, accuracy, speed, falls and shoves of peds

    Weather weather;
    Perception perception; // senses, foliage and perception events of peds
    PedTasks tasks;        // single tasks and task sequences being carried out
    Combat combat;         // health, shots and fights
    Law law;               // lawmen and the player's wanted status
    LawResponse lawResponse; // lawmen sent to a town where the player is wanted
    Townsfolk townsfolk;   // the passers-by the game keeps about the player in town
    Saloons saloons;       // the saloons' drinkers and working girls, and their drinking
    Interactions interactions; // the player's greetings and provocations, and the answers
    Fleeing fleeing;       // civilians running from danger
    Animations animations; // animation dictionaries and the clips peds play
    Propsets propsets;     // camp propsets streamed in and placed
    Wildlife wildlife;     // game animals about the hunting camps
    Hunting hunting;       // carrying, marksmanship and manners
    Restraints restraints; // lassoed and hogtied peds
    SheriffOffices sheriffOffices; // the towns' sheriff's offices and the lawman at each
    Traffic traffic;       // vehicles driven, peds getting in, riders carried, speeds
    Trains trains;         // the railway and the mission trains running on it

    // One step of the world, before the scripts run in a frame.
    void beginFrame();

    // Takes an entity out of the world for good (a script deleted it, the game
    // let it go far from the player): its blips, seat, tasks, group, weapons and
    // relationships go with it at once. What the rest of the world noted about
    // it (task history, senses, fights, traits, traffic) is kept for the latest
    // keptRemovedRecords entities removed, for a scenario or a test to read after
    // the fact, and dropped then, so that hours of play do not grow the world.
    void removeEntity(int id);
    static constexpr std::size_t keptRemovedRecords = 64;

    EntityRecord& playerPed();
    // The player sleeps (in a bed, by a camp fire): the game clock moves on by
    // the hours at once.
    void playerSleeps(int hours);
    // After the death screen the game brings the player back to life at a
    // place of its choosing, whole again; the fights he was in are over.
    void respawnPlayer(const drovil::Vector3& at);
    bool decoratorRegistered(const std::string& name) const;

private:
    void forgetRecordsOf(int id);
    std::deque<int> removedEntities_; // oldest first, their records still kept
};

} // namespace sim
