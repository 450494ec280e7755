#include "support/game.h"

#include "world/core/strings.h"
#include "world/core/world.h"

#include <cstdio>
#include <sstream>

namespace test {

std::vector<std::string> logMessages(const sim::Session& session) {
    std::vector<std::string> messages;
    std::istringstream in(session.log());
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') {
            auto end = line.find("] ");
            if (end != std::string::npos)
                line = line.substr(end + 2);
        }
        messages.push_back(line);
    }
    return messages;
}

int findLog(const std::vector<std::string>& messages, const std::string& text, int from) {
    for (int i = from; i < static_cast<int>(messages.size()); ++i)
        if (messages[i].find(text) != std::string::npos)
            return i;
    return -1;
}

std::string cashText(int cents) {
    char text[32];
    std::snprintf(text, sizeof text, "$%d.%02d", cents / 100, cents % 100);
    return text;
}

std::string retaskedWhileBusy(sim::Session& session) {
    const sim::PedTasks& tasks = session.world().tasks;
    if (tasks.regivenWhileUnderWayInAll() == 0)
        return "";
    // The script tasks the plug-in gives, to name them.
    static const char* const known[] = {
        "SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS", "SCRIPT_TASK_WANDER_STANDARD", "SCRIPT_TASK_WANDER_IN_AREA",
        "SCRIPT_TASK_FOLLOW_NAV_MESH_TO_COORD", "SCRIPT_TASK_GO_TO_ENTITY", "SCRIPT_TASK_FOLLOW_TO_OFFSET_OF_ENTITY",
        "SCRIPT_TASK_TURN_PED_TO_FACE_ENTITY", "SCRIPT_TASK_TURN_PED_TO_FACE_COORD", "SCRIPT_TASK_COMBAT",
        "SCRIPT_TASK_FLEE_PED", "SCRIPT_TASK_SMART_FLEE_PED", "SCRIPT_TASK_ENTER_VEHICLE",
        "SCRIPT_TASK_VEHICLE_DRIVE_WANDER", "SCRIPT_TASK_VEHICLE_DRIVE_TO_COORD", "SCRIPT_TASK_PERFORM_SEQUENCE",
        "SCRIPT_TASK_BOARD_VEHICLE", "SCRIPT_TASK_START_SCENARIO_IN_PLACE", "SCRIPT_TASK_STAND_STILL",
        "SCRIPT_TASK_MELEE"};
    std::string report = std::to_string(tasks.regivenWhileUnderWayInAll()) + " given again while under way; latest:";
    for (const sim::PedTasks::Regiven& regiven : tasks.latestRegiven()) {
        std::string name;
        for (const char* candidate : known)
            if (sim::gameHash(candidate) == regiven.scriptTask)
                name = candidate;
        if (name.empty()) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08X", regiven.scriptTask);
            name = hex;
        }
        report += " ped " + std::to_string(regiven.ped) + " " + name + ";";
    }
    return report;
}

bool startGame(sim::Session& session, int maxFrames) {
    return session.runUntil(
        [&] {
            return session.newLog().find("initialization complete") != std::string::npos ||
                   session.host().anyScriptFinished();
        },
        maxFrames) &&
           session.newLog().find("initialization complete") != std::string::npos;
}

} // namespace test
