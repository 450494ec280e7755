#pragma once
// What every ped carries: its weapons, the one it has selected (its current
// weapon, WEAPON_UNARMED when it has none out) and its ammunition. A ped gets the
// loadout of its kind the first time anyone asks: the player his revolver,
// repeater, knife and lasso, outlaws, lawmen and every other armed man a revolver and a repeater,
// some of the townsmen a revolver, townswomen, clerks and animals nothing. A
// ped made ready has its sidearm selected; hiding its weapons selects
// WEAPON_UNARMED without taking them away; a removed weapon is gone.
#include <cstdint>
#include <map>
#include <vector>

namespace sim {

struct World;

struct PedWeapons {
    std::vector<std::uint32_t> carried; // in the order it got them
    std::uint32_t current = 0;
    std::map<std::uint32_t, int> ammoForWeapon;
    std::map<std::uint32_t, int> ammoOfType;
};

class Weapons {
public:
    static std::uint32_t unarmed();
    static std::uint32_t revolver();
    static std::uint32_t repeater();
    static std::uint32_t knife();
    static std::uint32_t lasso();
    // How good a weapon is for a fight, by its group in the game: 0 for bare
    // hands and what is only held (a lantern), 1 for a blade, a thrown weapon,
    // a bow or a lasso, 2 for a sidearm, 3 and up for long arms.
    static int rank(std::uint32_t weapon);
    // A gun, as the game counts guns (by the weapon's group): no bow, thrown
    // weapon, blade or lasso is one.
    static bool isGun(std::uint32_t weapon);
    // A weapon one aims through its sights: a gun, a bow, a weapon to throw.
    static bool isAimed(std::uint32_t weapon);
    // The game's townswomen (who carry no weapons and are civilian women).
    static bool isWomanModel(std::uint32_t model);

    PedWeapons& of(const World& world, int ped);
    bool carries(const World& world, int ped, std::uint32_t weapon);
    std::uint32_t current(const World& world, int ped);
    // The best weapon the ped carries; WEAPON_UNARMED for none.
    std::uint32_t best(const World& world, int ped);
    // Selects a weapon the ped carries (or WEAPON_UNARMED); false, and no
    // change, for one it does not carry.
    bool select(const World& world, int ped, std::uint32_t weapon);
    void give(const World& world, int ped, std::uint32_t weapon);
    void remove(const World& world, int ped, std::uint32_t weapon);
    void hide(const World& world, int ped) { of(world, ped).current = unarmed(); }
    // Takes out the best weapon for a fight.
    void drawBest(const World& world, int ped) { of(world, ped).current = best(world, ped); }
    void forget(int ped) { peds_.erase(ped); }

private:
    std::map<int, PedWeapons> peds_;
};

} // namespace sim
