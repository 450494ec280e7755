#include "scenarios/town_play.h"

#include "world/core/geometry.h"
#include "world/core/world.h"
#include "world/wildlife/animals.h"

#include <algorithm>
#include <random>
#include <set>

namespace sim {
namespace {

constexpr std::uint32_t second = 1000;
constexpr std::uint32_t minute = 60 * second;
// On foot from this far out: nobody rides into a hotel or down a busy street.
constexpr float walkFrom = 120.0f;
// How close he comes to someone before he sizes him up through the sights, and
// how long he keeps him there before moving on to the next.
constexpr float lookingDistance = 45.0f;
constexpr std::uint32_t lookingMs = 2000;
// He looks at people within this reach of himself, anywhere the target could
// still be (the target roams the streets, beyond the search area's edge).
constexpr float searchReach = 110.0f;

} // namespace

int markedTarget(ScenarioRun& run, const std::string& targetName) {
    for (const auto& [id, blip] : run.world().blips.all())
        if (blip.kind == BlipKind::Entity && blip.name == targetName && run.world().entities.exists(blip.entity))
            return blip.entity;
    return 0;
}

namespace {

// The next person to look at: alive, not looked at yet, within his reach and
// the mission's area; whoever looks like the card's photograph first.
int nextToLookAt(ScenarioRun& run, const ContractInPlay& contract, const std::set<int>& seen,
                 std::uint32_t cardLook) {
    const int me = run.world().player.pedId;
    int best = 0;
    float bestScore = 0.0f;
    for (const auto& [id, record] : run.world().entities.all()) {
        if (id == me || record.kind != EntityKind::Ped || !record.alive || isAnimalModel(record.model) ||
            seen.count(id) != 0 || run.world().law.isLawman(run.world(), id))
            continue;
        const float fromMiddle = flatDistance(record.position, contract.blipCoords);
        const float fromHim = run.player().distanceTo(record.position);
        if (fromHim > searchReach || fromMiddle > contract.missionAreaRadius)
            continue;
        // Those who look like the photograph on the card first, then the
        // nearest, those towards the middle of the area before the others.
        const float score = fromHim + 0.3f * fromMiddle + (record.model == cardLook ? 0.0f : 1000.0f);
        if (!best || score < bestScore) {
            best = id;
            bestScore = score;
        }
    }
    return best;
}

} // namespace

int searchTownForTarget(ScenarioRun& run, const ContractInPlay& contract, const std::function<bool()>& breakOff) {
    const auto brokenOff = [&] { return breakOff && breakOff(); };
    PlayerController& player = run.player();
    player.holster();
    const bool hotel = contract.settingId == 2;
    if (!waitOutHold(run, contract)) {
        run.note("gives up: the contract stayed on hold");
        return 0;
    }
    if (player.distanceTo(contract.blipCoords) > walkFrom + 30.0f) {
        run.note(std::string("rides into town towards the ") + (hotel ? "hotel" : "search area"));
        // Stopping short of the area: the last stretch on foot.
        const drovil::Vector3 from = player.position();
        const float away = flatDistance(from, contract.blipCoords);
        const drovil::Vector3 stop(contract.blipCoords.x + (from.x - contract.blipCoords.x) * walkFrom / away,
                                   contract.blipCoords.y + (from.y - contract.blipCoords.y) * walkFrom / away,
                                   contract.blipCoords.z);
        if (!run.rideTo(stop, 5.0f, 10 * minute)) {
            run.note("gives up: did not reach the town");
            return 0;
        }
        player.dismount();
    }
    run.note(hotel ? "walks into the hotel and up to the rooms" : "walks the streets of the search area");
    if (!run.travelTo(contract.blipCoords, Gait::Walk, hotel ? 1.5f : 6.0f, 5 * minute)) {
        run.note("gives up: could not reach the search area");
        return 0;
    }

    const std::string targetName = run.lang("blips.contact_target");
    // The face on the card he read: the photograph's man (0 when it showed none).
    const auto& photos = run.world().portraits.photos();
    const std::uint32_t cardLook = photos.empty() ? 0 : photos.back().model;
    std::set<int> seen;
    std::mt19937 legs(static_cast<std::uint32_t>(contract.id) + 17u);
    std::uniform_real_distribution<float> around(-1.0f, 1.0f);
    int looked = 0;
    const std::uint64_t giveUpAt = run.world().clock.elapsedMs + 12 * minute;
    while (run.world().clock.elapsedMs < giveUpAt && !run.playerDown()) {
        if (brokenOff()) {
            player.aimAt(0);
            return 0;
        }
        if (const int target = markedTarget(run, targetName)) {
            player.stop();
            run.note("the map marks the man he is looking at as the target, after " + std::to_string(looked) +
                     " faces");
            return target;
        }
        const int person = nextToLookAt(run, contract, seen, cardLook);
        if (!person) {
            // Nobody left to look at here: a stroll down another street of the area.
            seen.clear();
            const drovil::Vector3 somewhere(contract.blipCoords.x + around(legs) * contract.blipRadius,
                                            contract.blipCoords.y + around(legs) * contract.blipRadius,
                                            contract.blipCoords.z);
            player.goTo(somewhere, Gait::Walk, 2.0f);
            run.waitUntil([&] { return !player.moving() || run.playerDown() || brokenOff(); }, minute);
            player.stop();
            continue;
        }
        seen.insert(person);
        ++looked;
        // Near enough to make out his face through the sights, then a good look.
        const EntityRecord* record = run.world().entities.find(person);
        if (record && player.distanceTo(record->position) > lookingDistance) {
            player.goToEntity(person, Gait::Walk, lookingDistance - 5.0f);
            run.waitUntil([&] { return markedTarget(run, targetName) != 0 || !run.world().entities.exists(person) ||
                                       !player.moving() || brokenOff(); },
                          minute);
        }
        player.drawGun();
        player.aimAt(person);
        const std::uint64_t lookUntil = run.world().clock.elapsedMs + lookingMs;
        run.waitUntil(
            [&] {
                const EntityRecord* followed = run.world().entities.find(person);
                if (!followed || markedTarget(run, targetName) != 0 || brokenOff())
                    return true;
                return run.world().clock.elapsedMs >= lookUntil;
            },
            lookingMs + second);
        player.aimAt(0);
    }
    player.holster();
    run.note(run.playerDown() ? "gives up: went down in town" : "gives up: looked at " + std::to_string(looked) +
                                                                     " faces and never found the target");
    return 0;
}

} // namespace sim
