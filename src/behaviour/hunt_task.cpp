#include "behaviour/hunt_task.h"

#include "behaviour/speech.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/main_loop.h"
#include "runtime/natives.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace drovil {
namespace {
// Animal types the hunter never shoots: dogs among them (his own dog trots at
// his heels), and the kinds nobody hunts for meat.
constexpr std::array<std::uint32_t, 13> excludedAnimalTypes = {
    0x0FFDB5B2, 0x2EC2783A, 0x373AD87A, 0x59F5325D, 0x67D66C41, 0x714FAE8F, 0x738F36B2,
    0x899E92E0, 0x9EB70D63, 0xB0672438, 0xB126EFB8, 0xBD2169A5, 0xDC04C5CD,
};
// The game's ped type of animals, for the closest-ped search.
constexpr int animalPedType = 26;
// The tuning value of an animal that bounds how close the hunter creeps up on it.
constexpr int approachTuningIndex = 82;
constexpr std::uint32_t debugPreyBlipStyle = 0xB04092F8;
constexpr std::uint32_t huntingFiringPattern = 0xC6EE6B4C;
constexpr int minAimMs = 3000;
constexpr int rifleFireMs = 10000;
constexpr int otherFireMs = 7000;
// The stalk's sequence step that fires at the prey (after the glance, the two
// approaches with the crouch between them, and the aim).
constexpr int shootingStep = 5;
} // namespace

HuntTask::HuntTask(Ped hunter, bool carry, float searchRange, float roamRadius, Ped prey)
    : AsyncPedTask(hunter), carry(carry), searchRange(searchRange), roamRadius(roamRadius), prey(prey) {}

HuntTask::~HuntTask() {
    removeBlip(preyBlip);
}

bool HuntTask::isFinished() {
    return state == HuntState::Done || entityDead(ped_);
}

bool HuntTask::hasUsablePrey(bool alsoNotFleeing) const {
    if (!prey || !natives::condition::entityExists(prey.entity()) || entityDead(prey))
        return false;
    return !alsoNotFleeing || !pedFleeing(prey);
}

bool HuntTask::isUnwantedPrey(Ped candidate) {
    const Entity entity = candidate.entity();
    if (natives::animal::isBird(entity) || !natives::animal::isAnimal(entity) ||
        natives::animal::isPredator(entity) || natives::animal::isHorseModel(natives::entity::model(entity)))
        return true;
    const Hash type = natives::animal::animalType(candidate);
    return std::find(excludedAnimalTypes.begin(), excludedAnimalTypes.end(), type) != excludedAnimalTypes.end();
}

void HuntTask::step() {
    switch (state) {
    case HuntState::Roam:
        roam();
        break;
    case HuntState::Search:
        search();
        break;
    case HuntState::Attack:
        attack();
        break;
    case HuntState::Collect:
        collect();
        break;
    case HuntState::Carry:
        carryOff();
        break;
    case HuntState::Done:
        break;
    }
}

void HuntTask::roam() {
    if (!hasUsablePrey(true)) {
        natives::combat::holdWeapon(ped_, natives::combat::bestWeapon(ped_, 0, 0), true, 0, 0, 0);
        natives::ped::setBlackboardFloat(ped_, "Stealth", 0.0f, -1);
        const Ped inSequence(0);
        TaskSequence sequence;
        natives::task::openSequence(&sequence);
        natives::task::clearLookAt(inSequence);
        natives::task::setCrouchMovement(inSequence, false, 0, false);
        natives::task::swapWeapon(inSequence, true, true, 0, 0);
        natives::task::wanderInArea(inSequence, positionOf(ped_), roamRadius, 10.0f, 10.0f, 1);
        natives::task::closeSequence(sequence);
        natives::task::performSequence(ped_, sequence);
        natives::task::clearSequence(&sequence);
    }
    state = HuntState::Search;
}

void HuntTask::search() {
    if (!hasUsablePrey(false)) {
        const Vector3 position = positionOf(ped_);
        const Vector3 forward = natives::entity::forwardVector(ped_.entity());
        const float ahead = searchRange * 0.5f;
        const Vector3 centre(position.x + forward.x * ahead, position.y + forward.y * ahead,
                             position.z + forward.z * ahead);
        Ped found;
        if (!natives::ambient::closestPed(centre, ahead, true, false, &found, false, false, animalPedType,
                                          animalPedType) ||
            !found)
            return;
        prey = found;
        // A carcass (the last kill, laid down at camp) is no game to stalk.
        if (isUnwantedPrey(prey) || entityDead(prey)) {
            prey = Ped();
            return;
        }
        if (isDebugToolsOn()) {
            removeBlip(preyBlip);
            preyBlip = natives::blip::onEntity(debugPreyBlipStyle, prey.entity());
        }
    }
    state = HuntState::Attack;
}

void HuntTask::attack() {
    const float skill = static_cast<float>(natives::ped::accuracy(ped_)) * 0.01f;
    const int aimMs = std::max(static_cast<int>((1.0f - skill) * 10000.0f), minAimMs);
    Hash weapon = 0;
    natives::ped::currentWeapon(ped_, &weapon, false, 0, false);
    const int fireMs =
        natives::weapon::isRifle(weapon) || natives::weapon::isSniper(weapon) ? rifleFireMs : otherFireMs;
    const float closeDistance =
        std::min(searchRange * 2.0f / 3.0f,
                 (skill * 0.5f + 1.0f) * natives::animal::tuningFloat(prey, approachTuningIndex));
    natives::ped::setBlackboardFloat(ped_, "Stealth", 1.0f, -1);

    const Ped inSequence(0);
    TaskSequence sequence;
    natives::task::openSequence(&sequence);
    natives::task::lookAtEntity(inSequence, prey.entity(), -1, -1, 2048, 3);
    natives::task::seekClearLosToEntity(inSequence, prey.entity(), searchRange, 0.75f, -1.0f);
    natives::task::setCrouchMovement(inSequence, true, 0, false);
    natives::task::seekClearLosToEntity(inSequence, prey.entity(), closeDistance, 0.5f, -1.0f);
    natives::task::aimGunAtEntity(inSequence, prey.entity(), aimMs, false, 0);
    natives::task::shootAtEntity(inSequence, prey.entity(), fireMs, huntingFiringPattern, false);
    natives::task::closeSequence(sequence);
    natives::task::performSequence(ped_, sequence);
    natives::task::clearSequence(&sequence);
    state = HuntState::Collect;
    waitFor(500);
}

void HuntTask::loseThePrey() {
    prey = Ped();
    state = HuntState::Roam;
    waitFor(2000);
}

void HuntTask::collect() {
    if (!prey) {
        state = HuntState::Roam;
        waitFor(2000);
        return;
    }
    // Between two shots of the firing step the shooting still goes on: a
    // bolting animal may yet drop to the next one.
    const int progress = natives::task::sequenceProgress(ped_);
    if (!natives::combat::isShooting(ped_) && progress != shootingStep &&
        (distanceBetween(positionOf(ped_), positionOf(prey)) > 2.0f * searchRange ||
         pedFleeing(prey))) {
        playSpeech(ped_, "GENERIC_CURSE_MED");
        loseThePrey();
        return;
    }
    if (progress >= 0)
        return;
    if (entityDead(prey)) {
        const Ped inSequence(0);
        TaskSequence sequence;
        natives::task::openSequence(&sequence);
        natives::task::setCrouchMovement(inSequence, false, 0, false);
        if (carry) {
            natives::task::pickUpCarriable(inSequence, prey.entity());
            state = HuntState::Carry;
        } else {
            state = HuntState::Done;
        }
        natives::task::closeSequence(sequence);
        natives::task::performSequence(ped_, sequence);
        natives::task::clearSequence(&sequence);
        return;
    }
    // The shooting is over and the animal still stands there, unhurt and calm
    // (it never noticed, or it stopped running within sight): nothing more
    // will come of this stalk, so he goes looking for another.
    loseThePrey();
}

void HuntTask::carryOff() {
    if (!entityDead(prey)) {
        waitFor(2000);
        prey = Ped();
        state = HuntState::Roam;
        return;
    }
    if (natives::carry::carrier(prey.entity())) {
        state = HuntState::Done;
        natives::ped::setBlackboardFloat(ped_, "Stealth", 0.0f, -1);
        return;
    }
    // The carcass is gone (the game cleared it away): he roams on instead of
    // waiting for ever to pick up nothing.
    if (!natives::condition::entityExists(prey.entity()))
        loseThePrey();
}

} // namespace drovil
