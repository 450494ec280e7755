#pragma once
// The simulated game world: everything the simulated natives read and change.
#include "world/blips.h"
#include "world/cash_changes.h"
#include "world/clock.h"
#include "world/doors.h"
#include "world/documents.h"
#include "world/entities.h"
#include "world/hud.h"
#include "world/line_of_sight.h"
#include "world/controls.h"
#include "world/game_events.h"
#include "world/scene_ped_states.h"
#include "world/script_timer.h"
#include "world/model_streaming.h"
#include "world/objects.h"
#include "world/ped_appearance.h"
#include "world/player_state.h"
#include "world/prompts.h"
#include "world/relationship_groups.h"
#include "world/station_clerks.h"
#include "world/strings.h"
#include "world/vehicle_seats.h"
#include "world/speech.h"
#include "world/portrait.h"
#include "world/weather.h"
#include "world/perception.h"
#include "world/tasks.h"
#include "world/combat.h"
#include "world/law.h"
#include "world/geography.h"
#include "world/scenarios.h"
#include "world/townsfolk.h"
#include "world/animations.h"
#include "world/propsets.h"
#include "world/animals.h"

#include <cstdint>
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
    Entities entities;
    PlayerState player;
    std::vector<std::string> registeredDecorators; // in registration order
    std::mt19937 random;
    int debugNumber = 0; // what the game reports to the debug overlay
    bool scriptedSceneActive = false; // a cutscene or story moment suspends side activities
    Doors doors;
    std::vector<CashChangeShown> cashChanges; // every one shown since the session began, oldest first
    StationClerks stationClerks;
    ModelStreaming models;
    VehicleSeats seats;
    PedAppearances appearances;
    RelationshipGroups relationships;
    Blips blips;
    Controls controls;
    Geography geography; // zones, ground, roads and railway of the map
    Scenarios scenarios; // scenario points and running scenarios
    ScriptTimer scriptTimer;
    GameEvents gameEvents;
    LineOfSight lineOfSight;
    ScenePedStates scenePeds;
    Speech speech;
    Portraits portraits;
    Objects objects;     // props scripts created
    Documents documents; // cards held and inspected

    Weather weather;
    Perception perception; // senses, foliage and perception events of peds
    PedTasks tasks;        // single tasks and task sequences being carried out
    Combat combat;         // health, shots and fights
    Law law;               // lawmen and the player's wanted status
    Townsfolk townsfolk;   // the passers-by the game keeps about the player in town
    Animations animations; // animation dictionaries and the clips peds play
    Propsets propsets;     // camp propsets streamed in and placed
    bool storyMissionActive = false; // one of the game's own story missions is running

    // One step of the world, before the scripts run in a frame.
    void beginFrame();

    EntityRecord& playerPed();
    bool decoratorRegistered(const std::string& name) const;
};

} // namespace sim
