#pragma once
// The player's body in the simulated world, driven like a person at the
// controls: walking, running or creeping to a point, riding a horse, crouching,
// drawing and holstering a gun, aiming at, locking on to and shooting a ped,
// lassoing and hogtying one, carrying a body on his shoulder or across his
// horse, sleeping. The controller
// keeps what the player is doing and applies one frame of it before each frame
// of the game, so the game's senses see the player move at a person's pace.
#include "runtime/types.h"

#include <cstdint>

namespace sim {

struct World;

enum class Gait { Walk, Run, Sprint, Creep, Ride };

// Metres per second of each gait (riding is a steady canter).
float metresPerSecondOf(Gait gait);

class PlayerController {
public:
    explicit PlayerController(World& world) : world_(world) {}

    // --- Moving ---

    // Sets off towards the point; `closeEnough` metres from it the player stops.
    void goTo(const drovil::Vector3& point, Gait gait, float closeEnough = 1.0f);
    // Keeps heading for the entity (re-aimed every frame) until that close.
    void goToEntity(int entity, Gait gait, float closeEnough);
    void stop();
    bool moving() const { return moving_; }
    // Metres between the player and the point on the ground plane.
    float distanceTo(const drovil::Vector3& point) const;
    drovil::Vector3 position() const;

    // --- Posture and the horse ---

    void crouch(bool crouched);
    bool crouched() const { return crouched_; }
    // A horse of the player's own, standing next to him (made on first use).
    int ownHorse();
    // Into the saddle of the own horse (it must be within a few metres) / down.
    bool mount();
    // The horse comes trotting to the player's side.
    void whistleForHorse();
    bool horseAtHand() const;
    void dismount();
    bool riding() const;

    // --- Vehicles ---

    // Climbs into a seat of the vehicle (-1 the driver's) standing within a few
    // metres; a dead ped in that seat is pulled out first. False when someone
    // alive sits there, or the vehicle is out of reach.
    bool enterVehicle(int vehicle, int seat);
    void leaveVehicle();
    // In the driver's seat of a wagon or coach (not a horse): going somewhere
    // then drives it there.
    bool driving() const;
    int vehicleIn() const;

    // --- Weapons ---

    // The revolver out of its holster / every gun put away.
    void drawGun();
    void holster();
    bool armed() const;
    // Aims at the entity through the sights (free aim) with a gun, a bow or a
    // weapon to throw out, or, otherwise, focuses on it (the game's lock-on target, as when he talks to
    // someone); 0 lowers the aim.
    void aimAt(int entity);
    // Locks on to the entity (with a gun out, the game's aim assist).
    void lockOnTo(int entity);
    int aimedAt() const;
    // One shot at the ped with the gun drawn; true when it hit.
    bool shootAt(int ped);

    // --- Taking a man alive ---

    // Throws the lasso at the ped (it takes the lasso in hand; on foot or from
    // the saddle, within the lasso's range): true when it caught him.
    bool lasso(int ped);
    // Sets about tying up a lassoed or knocked-out ped at hand (on foot); the
    // knot takes a moment (world/people/restraints.h). True when begun.
    bool hogtie(int ped);
    // Takes a hogtied or lifeless ped lying at hand up onto his shoulder (on
    // foot, his hands free).
    bool pickUp(int ped);
    // Lays whoever is on his shoulder down at his feet.
    void putDown();
    // Lays whoever is on his shoulder across his own horse standing at hand,
    // and takes him down off it onto the shoulder again.
    bool layAcrossHorse();
    bool takeOffHorse();
    // Who lies on his shoulder, and who lies across his horse (0: nobody).
    int carrying() const;
    int acrossHorse() const;

    // --- Talking to people ---

    // Focuses on the ped and greets it (the game's friendly interaction) or
    // antagonises it; false when it is out of reach (world/people/interactions.h).
    bool greet(int ped);
    bool antagonise(int ped);

    // --- Rest ---

    // Sleeps for the hours (on a bedroll, in a hotel bed): the game clock moves
    // on at once. False, and no sleep, while wanted, riding or in a fight.
    bool sleep(int hours);
    // Sits down on the nearest free seat within `reach` metres (a bench, a chair,
    // a log by a camp fire): the game then reports him using its scenario point.
    // False when there is none, or while riding.
    bool sitOnNearestSeat(float reach);
    // Gets up from the seat.
    void standUp();
    bool seated() const;

    // One frame of whatever the player is doing, before the game's frame.
    void beforeFrame();

private:
    drovil::Vector3 destination() const;

    World& world_;
    bool moving_ = false;
    drovil::Vector3 target_;
    int targetEntity_ = 0;
    Gait gait_ = Gait::Walk;
    float closeEnough_ = 1.0f;
    bool crouched_ = false;
    int horse_ = 0;
    bool horseCalled_ = false;
};

} // namespace sim
