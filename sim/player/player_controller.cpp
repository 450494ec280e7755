#include "player/player_controller.h"

#include "world/places/scenario_point_data.h"
#include "world/wildlife/animals.h"
#include "world/core/geometry.h"
#include "world/core/world.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {
const char* const horseModel = "a_c_horse_morgan_bay";
// How close the player must stand to his horse to get into the saddle.
constexpr float mountReach = 4.0f;
// How close the player must stand to a wagon to climb on, and how fast he drives one.
constexpr float vehicleReach = 4.0f;
constexpr float drivingSpeed = 5.0f;
// How far out of his way a rider in town goes to hitch his horse off the street.
constexpr float hitchingDetour = 30.0f;

} // namespace

float metresPerSecondOf(Gait gait) {
    switch (gait) {
    case Gait::Walk:
        return 1.6f;
    case Gait::Run:
        return 4.0f;
    case Gait::Sprint:
        return 6.0f;
    case Gait::Creep:
        return 1.0f;
    case Gait::Ride:
        return 11.0f;
    }
    return 1.6f;
}

void PlayerController::goTo(const drovil::Vector3& point, Gait gait, float closeEnough) {
    if (seated())
        standUp();
    target_ = point;
    targetEntity_ = 0;
    gait_ = gait;
    closeEnough_ = closeEnough;
    moving_ = distanceTo(point) > closeEnough;
}

void PlayerController::goToEntity(int entity, Gait gait, float closeEnough) {
    if (seated())
        standUp();
    targetEntity_ = entity;
    gait_ = gait;
    closeEnough_ = closeEnough;
    moving_ = distanceTo(destination()) > closeEnough;
}

void PlayerController::stop() {
    moving_ = false;
    targetEntity_ = 0;
}

drovil::Vector3 PlayerController::position() const {
    return world_.playerPed().position;
}

float PlayerController::distanceTo(const drovil::Vector3& point) const {
    return flatDistance(position(), point);
}

drovil::Vector3 PlayerController::destination() const {
    if (targetEntity_ != 0)
        if (const EntityRecord* entity = world_.entities.find(targetEntity_))
            return entity->position;
    return target_;
}

void PlayerController::crouch(bool crouched) {
    crouched_ = crouched;
    world_.perception.setCrouching(world_.player.pedId, crouched && !riding());
}

int PlayerController::ownHorse() {
    if (horse_ != 0 && world_.entities.exists(horse_))
        return horse_;
    drovil::Vector3 at = position();
    at.x += 2.0f;
    at.z = world_.geography.groundHeight(at.x, at.y);
    EntityRecord& horse = world_.entities.create(EntityKind::Ped, gameHash(horseModel), at, 0.0f);
    world_.seats.addVehicle(horse.id, VehicleSeats::mountSeatCount);
    horse_ = horse.id;
    return horse_;
}

bool PlayerController::mount() {
    if (riding())
        return true;
    // Nobody climbs into the saddle with a man on his shoulder.
    if (carrying() != 0)
        return false;
    leaveVehicle();
    const int horse = ownHorse();
    const EntityRecord* record = world_.entities.find(horse);
    if (!record || !record->alive || flatDistance(record->position, position()) > mountReach)
        return false;
    crouch(false);
    world_.seats.seatPed(horse, -1, world_.player.pedId);
    return true;
}

void PlayerController::whistleForHorse() {
    ownHorse();
    horseCalled_ = true;
}

bool PlayerController::horseAtHand() const {
    const EntityRecord* horse = horse_ ? world_.entities.find(horse_) : nullptr;
    return horse && horse->alive && flatDistance(horse->position, position()) <= mountReach;
}

void PlayerController::dismount() {
    if (!riding())
        return;
    EntityRecord& player = world_.playerPed();
    // In town a rider does not leave his horse in the middle of the street: he
    // rides the last few metres to a place off it, clear of the passers-by and
    // of the spots where people gather, and hitches it there.
    if (world_.geography.townAt(player.position.x, player.position.y) != 0)
        if (const auto place = world_.geography.streets().hitchingPlaceNear(player.position, hitchingDetour))
            if (EntityRecord* horse = world_.entities.find(world_.seats.seatOf(world_.player.pedId)->vehicle)) {
                horse->position = *place;
                horse->position.z = world_.geography.groundHeight(place->x, place->y);
                player.position = horse->position;
            }
    world_.seats.leaveSeat(world_.player.pedId);
    player.position.x -= 1.5f; // steps down beside the horse
    player.position.z = world_.geography.groundHeight(player.position.x, player.position.y);
}

bool PlayerController::riding() const {
    const auto seat = world_.seats.seatOf(world_.player.pedId);
    if (!seat)
        return false;
    const EntityRecord* mount = world_.entities.find(seat->vehicle);
    return mount != nullptr && isHorseModel(mount->model);
}

bool PlayerController::enterVehicle(int vehicle, int seat) {
    const EntityRecord* record = world_.entities.find(vehicle);
    if (!record || record->kind != EntityKind::Vehicle || distanceTo(record->position) > vehicleReach ||
        !world_.seats.isValidSeat(vehicle, seat))
        return false;
    const int sitting = world_.seats.occupant(vehicle, seat);
    if (sitting != 0 && sitting != world_.player.pedId) {
        EntityRecord* body = world_.entities.find(sitting);
        if (body && body->alive && !body->knockedOut)
            return false;
        // Pulled down off the seat onto the road.
        world_.seats.leaveSeat(sitting);
        if (body) {
            body->position.x += 2.0f;
            body->position.z = world_.geography.groundHeight(body->position.x, body->position.y);
        }
    }
    if (riding())
        dismount();
    stop();
    world_.seats.seatPed(vehicle, seat, world_.player.pedId);
    world_.playerPed().position = record->position;
    return true;
}

void PlayerController::leaveVehicle() {
    if (vehicleIn() == 0)
        return;
    world_.seats.leaveSeat(world_.player.pedId);
    EntityRecord& player = world_.playerPed();
    player.position.x -= 2.0f; // steps down beside the wagon
    player.position.z = world_.geography.groundHeight(player.position.x, player.position.y);
}

int PlayerController::vehicleIn() const {
    const auto seat = world_.seats.seatOf(world_.player.pedId);
    if (!seat)
        return 0;
    const EntityRecord* carrier = world_.entities.find(seat->vehicle);
    return carrier && carrier->kind == EntityKind::Vehicle ? seat->vehicle : 0;
}

bool PlayerController::driving() const {
    const auto seat = world_.seats.seatOf(world_.player.pedId);
    return vehicleIn() != 0 && seat->seat == -1;
}

void PlayerController::drawGun() {
    world_.weapons.select(world_, world_.player.pedId, Weapons::revolver());
}

void PlayerController::holster() {
    world_.weapons.hide(world_, world_.player.pedId);
    aimAt(0);
}

bool PlayerController::armed() const {
    return Weapons::isGun(world_.weapons.current(world_, world_.player.pedId));
}

void PlayerController::aimAt(int entity) {
    // Through the sights with a gun, a bow or a weapon to throw; with empty
    // hands (or a blade, a lasso) the player can only focus on someone, which
    // is a lock-on.
    const bool sights = Weapons::isAimed(world_.weapons.current(world_, world_.player.pedId));
    world_.player.freeAimEntity = sights ? entity : 0;
    world_.player.targetEntity = sights ? 0 : entity;
}

void PlayerController::lockOnTo(int entity) {
    world_.player.freeAimEntity = 0;
    world_.player.targetEntity = entity;
}

int PlayerController::aimedAt() const {
    return world_.player.freeAimEntity != 0 ? world_.player.freeAimEntity : world_.player.targetEntity;
}

bool PlayerController::greet(int ped) {
    lockOnTo(ped);
    return world_.interactions.greet(world_);
}

bool PlayerController::antagonise(int ped) {
    lockOnTo(ped);
    return world_.interactions.antagonise(world_);
}

bool PlayerController::sleep(int hours) {
    // Nobody sleeps with the law after him or a fight on.
    const int me = world_.player.pedId;
    if (world_.player.wanted || world_.player.dead || riding())
        return false;
    for (const auto& [id, record] : world_.entities.all())
        if (record.alive && record.combatOpponent == me)
            return false;
    stop();
    aimAt(0);
    world_.playerSleeps(hours);
    return true;
}

bool PlayerController::shootAt(int ped) {
    if (!armed())
        drawGun();
    aimAt(ped);
    return world_.combat.shootAt(world_, world_.player.pedId, ped);
}

bool PlayerController::lasso(int ped) {
    const int me = world_.player.pedId;
    static const std::uint32_t rope = gameHash("WEAPON_LASSO");
    if (!world_.weapons.carries(world_, me, rope))
        world_.weapons.give(world_, me, rope);
    world_.weapons.select(world_, me, rope);
    aimAt(0);
    lockOnTo(ped);
    return world_.restraints.lasso(world_, me, ped);
}

bool PlayerController::hogtie(int ped) {
    if (riding() || vehicleIn() != 0 || carrying() != 0)
        return false;
    stop();
    return world_.restraints.startHogtie(world_, world_.player.pedId, ped);
}

bool PlayerController::pickUp(int ped) {
    const EntityRecord* body = world_.entities.find(ped);
    if (!body || riding() || vehicleIn() != 0 || carrying() != 0 || world_.hunting.carrierOf(ped) != 0 ||
        (body->alive && !body->hogtied) || flatDistance(body->position, position()) > Restraints::handsReach)
        return false;
    holster();
    world_.hunting.pickUp(world_, world_.player.pedId, ped);
    return true;
}

void PlayerController::putDown() {
    const int held = carrying();
    if (held == 0)
        return;
    world_.hunting.putDown(world_, held);
    if (EntityRecord* body = world_.entities.find(held))
        body->position.z = world_.geography.groundHeight(body->position.x, body->position.y);
}

bool PlayerController::layAcrossHorse() {
    const int held = carrying();
    if (held == 0 || !horseAtHand() || acrossHorse() != 0)
        return false;
    world_.hunting.pickUp(world_, horse_, held);
    return true;
}

bool PlayerController::takeOffHorse() {
    const int laid = acrossHorse();
    if (laid == 0 || riding() || carrying() != 0 || !horseAtHand())
        return false;
    world_.hunting.pickUp(world_, world_.player.pedId, laid);
    return true;
}

int PlayerController::carrying() const {
    return world_.hunting.carriedBy(world_.player.pedId);
}

int PlayerController::acrossHorse() const {
    return horse_ != 0 ? world_.hunting.carriedBy(horse_) : 0;
}

bool PlayerController::sitOnNearestSeat(float reach) {
    if (riding())
        return false;
    const int me = world_.player.pedId;
    int seat = 0;
    float nearest = reach;
    for (const auto& [handle, point] : world_.scenarioPoints.all()) {
        const bool isSeat = std::any_of(seats::all().begin(), seats::all().end(),
                                        [&](const SeatKind* kind) { return kind->pointType == point.type; });
        const float d = flatDistance(point.position, position());
        const int taker = ScenarioPoints::takenBy(world_, handle);
        if (isSeat && d <= nearest && (taker == 0 || taker == me)) {
            seat = handle;
            nearest = d;
        }
    }
    if (seat == 0)
        return false;
    stop();
    aimAt(0);
    TaskStep sit;
    sit.kind = TaskKind::UseScenarioPoint;
    sit.scenarioPoint = seat;
    sit.durationMs = -1;
    world_.tasks.give(me, sit, world_.clock.elapsedMs);
    // He steps onto it before the game's frame.
    const ScenarioPoint& point = *world_.scenarioPoints.find(seat);
    world_.playerPed().position = point.position;
    return true;
}

void PlayerController::standUp() {
    world_.tasks.clear(world_.player.pedId);
}

bool PlayerController::seated() const {
    return world_.tasks.usingScenario(world_.player.pedId);
}

void PlayerController::beforeFrame() {
    EntityRecord& player = world_.playerPed();
    if (!player.alive || world_.player.dead) {
        moving_ = false;
        return;
    }
    const float frameSeconds = static_cast<float>(world_.clock.frameMs) / 1000.0f;
    if (horseCalled_ && !riding()) {
        EntityRecord* horse = world_.entities.find(horse_);
        if (!horse || !horse->alive || horseAtHand()) {
            horseCalled_ = false;
        } else {
            drovil::Vector3 side = player.position;
            side.x += 1.5f;
            // Up to his side: stopping short of that point could leave it out of
            // reach when it comes from the far side.
            moveTowards(horse->position, horse->heading, side, metresPerSecondOf(Gait::Ride) * frameSeconds, 1.0f);
            horse->position.z = world_.geography.groundHeight(horse->position.x, horse->position.y);
        }
    }
    if (!moving_)
        return;
    // A passenger goes where the wagon goes.
    if (vehicleIn() != 0 && !driving()) {
        moving_ = false;
        return;
    }
    const Gait gait = riding() ? Gait::Ride : (crouched_ ? Gait::Creep : gait_);
    const float metres = (driving() ? drivingSpeed : metresPerSecondOf(gait)) * frameSeconds;
    drovil::Vector3 goal = destination();
    goal.z = player.position.z;
    if (moveTowards(player.position, player.heading, goal, metres, closeEnough_))
        moving_ = false;
    player.position.z = world_.geography.groundHeight(player.position.x, player.position.y);
    if (riding())
        if (EntityRecord* horse = world_.entities.find(horse_)) {
            horse->position = player.position;
            horse->heading = player.heading;
        }
    if (driving())
        if (EntityRecord* wagon = world_.entities.find(vehicleIn())) {
            wagon->position = player.position;
            wagon->heading = player.heading;
        }
}

} // namespace sim
