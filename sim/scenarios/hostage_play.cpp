#include "scenarios/hostage_play.h"

#include "scenarios/contract_play.h"
#include "scenarios/town_play.h"
#include "world/core/geometry.h"
#include "world/core/world.h"

#include <cmath>
#include <string>

namespace sim {
namespace {

constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;

// Far enough past the town's edge that no lawman in town hears the shot.
constexpr float pastTheEdge = 60.0f;

int decorator(ScenarioRun& run, int ped, const std::string& name) {
    const EntityRecord* record = run.world().entities.find(ped);
    if (!record)
        return 0;
    auto found = record->decorators.find(name);
    return found == record->decorators.end() ? 0 : found->second;
}

bool heldHostage(ScenarioRun& run, int ped) {
    return decorator(run, ped, "KV_HOSTAGE_isHostage") == 1;
}

drovil::Vector3 positionOf(ScenarioRun& run, int entity) {
    const EntityRecord* record = run.world().entities.find(entity);
    return record ? record->position : drovil::Vector3();
}

// The player is within `reach` of the target and behind him (more than 120
// degrees off the way he faces).
bool behind(ScenarioRun& run, int target, float reach) {
    const EntityRecord* record = run.world().entities.find(target);
    if (!record)
        return false;
    const drovil::Vector3 me = run.player().position();
    const float dx = me.x - record->position.x, dy = me.y - record->position.y;
    const float distance = std::hypot(dx, dy);
    if (distance > reach || distance < 0.3f)
        return false;
    const drovil::Vector3 ahead = forwardOf(record->heading);
    return (dx * ahead.x + dy * ahead.y) / distance < -0.5f;
}

// Sneaks up behind the target as he strolls: heads for a spot just behind his
// back, re-aimed as he walks on.
bool comeUpBehind(ScenarioRun& run, int target) {
    PlayerController& player = run.player();
    player.aimAt(0);
    int frames = 0;
    const bool there = run.waitUntil(
        [&] {
            if (behind(run, target, 2.6f))
                return true;
            if (frames++ % 10 == 0) {
                const EntityRecord* record = run.world().entities.find(target);
                if (!record)
                    return false;
                const drovil::Vector3 ahead = forwardOf(record->heading);
                const drovil::Vector3 back(record->position.x - ahead.x * 1.8f, record->position.y - ahead.y * 1.8f,
                                           record->position.z);
                player.goTo(back, Gait::Walk, 0.4f);
            }
            return false;
        },
        2 * minute);
    player.stop();
    return there;
}

// Walks on out of town right behind the hostage, keeping to the town's side of
// him: each time he catches up he walks into him, and the shoved man stumbles
// on ahead and keeps ahead of him for a while. True once the hostage is
// `outOfTown` metres from the town's middle; false when he got away.
bool shoveOutOfTown(ScenarioRun& run, int hostage, const Town& town, float outOfTown, int& shoves) {
    PlayerController& player = run.player();
    int frames = 0;
    int bumps = run.world().traits.shoves(hostage);
    std::uint64_t lastBumpMs = 0;
    const bool out = run.waitUntil(
        [&] {
            if (!heldHostage(run, hostage) || run.playerDown())
                return true;
            const drovil::Vector3 at = positionOf(run, hostage);
            const float dx = at.x - town.centre.x, dy = at.y - town.centre.y;
            const float fromMiddle = std::hypot(dx, dy);
            if (fromMiddle >= outOfTown)
                return true;
            // Contact lasts a few frames: a shove is a bump after a second without one.
            if (run.world().traits.shoves(hostage) > bumps) {
                bumps = run.world().traits.shoves(hostage);
                if (run.world().clock.elapsedMs > lastBumpMs + 1000)
                    ++shoves;
                lastBumpMs = run.world().clock.elapsedMs;
            }
            if (frames++ % 10 == 0) {
                const float length = std::fmax(fromMiddle, 0.01f);
                // Aimed at a spot just past him, so he walks right into his back.
                player.goTo(drovil::Vector3(at.x - dx / length * 0.3f, at.y - dy / length * 0.3f, at.z), Gait::Walk,
                            0.1f);
            }
            return false;
        },
        10 * minute);
    player.stop();
    return out && heldHostage(run, hostage) && !run.playerDown();
}

} // namespace

void writeTakenStreetContract(std::map<std::string, std::string>& files) {
    const std::string area = std::to_string(valentineAreaId());
    const std::string coords = "-312.085,830.793,119.576";
    // Every key of a mission file, in the file's own order.
    files["Missions/0.dat"] =
        "id=0\ncoords=" + coords + "\ntemplateId=3\nsettingId=7\nareaId=" + area +
        "\nstatus=0\nbounty=45\ncreatedAt=0\nvariant=0\ntargetModel=" +
        std::to_string(static_cast<std::int32_t>(gameHash("a_m_m_valtownfolk_01"))) +
        "\ntargetOutfitIndex=0\nguardsCount=0\nguardModel=0\ncompanionsCount=0\ncompanionModel=0\nvehicleModel=0\n"
        "vehiclePropsetModel=0\nisTargetACriminal=1\nisTargetArmed=0\npropsetModel=0\nambienceRadius=0\n"
        "spawnDistance=100\ntargetFleeChance=0\nblipRadius=40\nmissionAreaRadius=120\ntargetLootMoney=1500\n"
        "companionsLootMoney=0\nguardsLootMoney=0\nblipCoords=" +
        coords + "\nbonusesReward=0\n";
    files["Savegame.dat"] = "next_mission_id=1\npending_payment=0\nmissions." + area + "=0\n";
}

bool playStreetHostage(ScenarioRun& run, std::string& summary) {
    PlayerController& player = run.player();
    run.wait(1500); // the engine restores the contract at start-up
    const ContractInPlay contract = contractInArea(run, valentineAreaId());
    if (contract.settingId != 7) {
        summary = "the taken street contract was not restored";
        return false;
    }
    const int target = searchTownForTarget(run, contract);
    if (!target) {
        summary = "the target was not found and recognised on the street";
        return false;
    }
    player.drawGun();
    run.note("lowers his gun and comes up behind the target");
    if (!comeUpBehind(run, target)) {
        summary = "could not get behind the target";
        return false;
    }
    player.aimAt(target);
    run.note("points his gun at the target's back and threatens him");
    // He keeps close on the man's heels while he speaks, so the man feels the gun.
    const bool threatened = run.pressPrompt(run.lang("prompts.threaten"), 3 * second);
    player.goToEntity(target, Gait::Walk, 1.2f);
    if (!threatened || !run.waitUntil([&] { return heldHostage(run, target); }, 5 * second)) {
        summary = "the target was not taken hostage (threatened " +
                  std::to_string(decorator(run, target, "KV_HOSTAGE_timesThreatened")) + " times, " +
                  (run.world().fleeing.isFleeing(target, run.world().clock.elapsedMs) ? "fleeing, " : "") +
                  (Combat::inCombatWith(run.world(), target, run.world().player.pedId) ? "fighting, " : "") +
                  std::to_string(static_cast<int>(run.player().distanceTo(positionOf(run, target)))) + " m away)";
        return false;
    }
    player.stop();
    run.note("the target puts his hands up: a hostage");

    // The town of the street the contract names (the target may have strolled
    // to its edge by now).
    const Town* town = Law::townAt(contract.coords);
    if (!town) {
        summary = "the contract's street is in no town";
        return false;
    }
    const float outOfTown = town->radius + pastTheEdge;
    int shoves = 0;
    run.note(std::string("shoves him ahead of himself out of ") + town->name);
    if (!shoveOutOfTown(run, target, *town, outOfTown, shoves)) {
        summary = "the hostage got away or was not shoved out of town (" + std::to_string(shoves) + " shoves, " +
                  std::to_string(static_cast<int>(flatDistance(positionOf(run, target), town->centre))) +
                  " m from the town's middle)";
        return false;
    }
    const int metresOut = static_cast<int>(flatDistance(positionOf(run, target), town->centre) - town->radius);
    run.note("out of town after " + std::to_string(shoves) + " shoves, " + std::to_string(metresOut) +
             " m past its edge: shoots him");
    player.aimAt(target);
    if (!run.shootUntilDown(target, minute)) {
        summary = "the hostage was not taken down";
        return false;
    }
    const bool wanted = run.world().law.wantedByLaw();
    if (!escape(run, contract)) {
        summary = "the player did not get away";
        return false;
    }
    const int status = readContract(run, contract.id).status;
    summary = "street target taken hostage from behind, shoved " + std::to_string(shoves) + " times out of " +
              town->name + " and shot " + std::to_string(metresOut) + " m past its edge" +
              (wanted ? " (the shot made him wanted)" : " with no law on him") + "; mission status " +
              std::to_string(status);
    return status == 2 && !wanted;
}

} // namespace sim
