#include "scenarios/run_map.h"

#include "scenarios/contract_play.h"
#include "scenarios/timeline.h"
#include "world/core/world.h"

#include <cmath>
#include <fstream>

namespace sim {
namespace {

const char* fateOf(const EntityRecord& ped) {
    if (!ped.alive)
        return "dead";
    if (ped.knockedOut)
        return "knocked out";
    if (ped.hogtied)
        return "hogtied";
    return "alive";
}

} // namespace

RunMap::PathPoint RunMap::playerPoint(World& world) const {
    const drovil::Vector3 at = world.playerPed().position;
    return PathPoint{at.x, at.y, world.clock.elapsedMs, static_cast<int>(world.clock.gameMinutes() % (24 * 60))};
}

void RunMap::afterFrame(World& world, const std::string& stage) {
    if (stage != stage_) {
        // The player's spot when the contract moved on (the first stage is the
        // one a contract begins in, which needs no mark).
        if (!stage_.empty() || stage != "no mission")
            stageMarks_.push_back(StageMark{playerPoint(world), stage});
        stage_ = stage;
    }
    if (world.clock.elapsedMs < nextSampleMs_)
        return;
    nextSampleMs_ = world.clock.elapsedMs + sampleMs;
    sample(world, false);
}

void RunMap::trackPed(World& world, int id, bool target) {
    const EntityRecord* ped = world.entities.find(id);
    auto found = peds_.find(id);
    if (!ped)
        return; // gone from the world (streamed out): as it was last seen
    if (found == peds_.end()) {
        TrackedPed tracked;
        tracked.id = id;
        tracked.first = ped->position;
        found = peds_.emplace(id, tracked).first;
    }
    TrackedPed& tracked = found->second;
    tracked.target = tracked.target || target;
    tracked.last = ped->position;
    tracked.fate = fateOf(*ped);
    if (!tracked.wentDown && tracked.fate != "alive") {
        tracked.wentDown = true;
        tracked.downAt = ped->position;
        tracked.downMs = world.clock.elapsedMs;
    }
}

void RunMap::sample(World& world, bool last) {
    const PathPoint here = playerPoint(world);
    endMs_ = here.ms;
    // A point a metre or more from the last one; the path's end is always where
    // the run ended.
    if (path_.empty() || std::hypot(here.x - path_.back().x, here.y - path_.back().y) >= 1.0f)
        path_.push_back(here);
    else if (last && path_.back().ms != here.ms)
        path_.push_back(here);

    // The contract's target, marked by the plug-in, and the peds of his
    // group: the game's ped group he leads or follows (his camp's guards).
    for (const auto& [id, record] : world.entities.all()) {
        auto mark = record.decorators.find("KV_Drovil_isContractTarget");
        if (record.kind != EntityKind::Ped || mark == record.decorators.end() || mark->second != 1)
            continue;
        trackPed(world, id, true);
        const int group = world.pedGroups.groupOf(id);
        if (group == 0)
            continue;
        for (const auto& [other, otherRecord] : world.entities.all())
            if (other != id && otherRecord.kind == EntityKind::Ped && world.pedGroups.groupOf(other) == group)
                trackPed(world, other, false);
    }
    for (auto& [id, tracked] : peds_)
        trackPed(world, id, tracked.target);

    for (const auto& [id, blip] : world.blips.all()) {
        SeenBlip& seen = blips_[id];
        if (seen.id == 0) {
            seen.id = id;
            seen.kind = static_cast<int>(blip.kind);
            seen.firstMs = here.ms;
        }
        seen.name = blip.name;
        seen.radius = blip.radius;
        seen.lastMs = here.ms;
        if (blip.kind == BlipKind::Entity) {
            if (const EntityRecord* entity = world.entities.find(blip.entity))
                seen.position = entity->position;
        } else {
            seen.position = blip.position;
        }
    }
}

void RunMap::finish(ScenarioGame& game, const Timeline& timeline, const RunSummary& summary) {
    sample(game.world(), true);
    for (int id : timeline.missionsSeen()) {
        const std::string file = "Missions/" + std::to_string(id) + ".dat";
        if (!game.fileExists(file))
            continue;
        const auto values = parseKeyValues(game.readFile(file));
        Contract contract;
        contract.id = id;
        contract.setting = settingName(intValue(values, "settingId", -1));
        contract.bounty = intValue(values, "bounty", 0);
        contract.coords = positionValue(values, "coords");
        contract.blipCoords = positionValue(values, "blipCoords");
        contract.blipRadius = floatValue(values, "blipRadius", 0.0f);
        contract.missionAreaRadius = floatValue(values, "missionAreaRadius", 0.0f);
        contracts_.push_back(contract);
    }
    title_ = "drovil-sim " + summary.scenario + ", seed " + std::to_string(summary.seed) + ": " +
             (summary.success ? "succeeded" : "failed");
}

bool RunMap::writeSvg(const std::filesystem::path& file, std::string& error) const {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    out << svg();
    out.close();
    if (!out) {
        error = "could not finish writing " + file.string();
        return false;
    }
    return true;
}

} // namespace sim
