#pragma once
// The simulated game world: everything the simulated natives read and change.
#include "world/screen/blips.h"
#include "world/screen/cash_changes.h"
#include "world/core/clock.h"
#include "world/places/doors.h"
#include "world/screen/documents.h"
#include "world/core/entities.h"
#include "world/screen/hud.h"
#include "world/senses/line_of_sight.h"
#include "world/screen/controls.h"
#include "world/core/game_events.h"
#include "world/people/scene_ped_states.h"
#include "world/core/script_timer.h"
#include "world/core/model_streaming.h"
#include "world/core/objects.h"
#include "world/people/ped_appearance.h"
#include "world/core/player_state.h"
#include "world/screen/prompts.h"
#include "world/people/relationship_groups.h"
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
#include "world/places/scenarios.h"
#include "world/people/townsfolk.h"
#include "world/people/animations.h"
#include "world/places/propsets.h"
#include "world/wildlife/animals.h"

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
