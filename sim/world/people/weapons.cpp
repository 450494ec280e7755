#include "world/people/weapons.h"

#include "world/core/game_names.h"
#include "world/core/strings.h"
#include "world/core/world.h"
#include "world/wildlife/animals.h"

#include <algorithm>

namespace sim {

std::uint32_t Weapons::unarmed() {
    static const std::uint32_t hash = gameHash("WEAPON_UNARMED");
    return hash;
}
std::uint32_t Weapons::revolver() {
    static const std::uint32_t hash = gameHash("WEAPON_REVOLVER_CATTLEMAN");
    return hash;
}
std::uint32_t Weapons::repeater() {
    static const std::uint32_t hash = gameHash("WEAPON_REPEATER_CARBINE");
    return hash;
}

std::uint32_t Weapons::knife() {
    static const std::uint32_t hash = gameHash("WEAPON_MELEE_KNIFE");
    return hash;
}
std::uint32_t Weapons::lasso() {
    static const std::uint32_t hash = gameHash("WEAPON_LASSO");
    return hash;
}

int Weapons::rank(std::uint32_t weapon) {
    switch (GameNames::weaponGroup(weapon)) {
    case WeaponGroup::Melee:
    case WeaponGroup::Thrown:
    case WeaponGroup::Lasso:
    case WeaponGroup::Bow:
        return 1;
    case WeaponGroup::Pistol:
    case WeaponGroup::Revolver:
        return 2;
    case WeaponGroup::Repeater:
    case WeaponGroup::Shotgun:
        return 3;
    case WeaponGroup::Rifle:
    case WeaponGroup::Sniper:
        return 4;
    default:
        // Bare hands, what is held rather than fought with (a lantern, the
        // binoculars), and any hash that is no weapon of the game.
        return 0;
    }
}

bool Weapons::isGun(std::uint32_t weapon) { return GameNames::isGunGroup(GameNames::weaponGroup(weapon)); }

bool Weapons::isAimed(std::uint32_t weapon) {
    const WeaponGroup group = GameNames::weaponGroup(weapon);
    return GameNames::isGunGroup(group) || group == WeaponGroup::Bow || group == WeaponGroup::Thrown;
}

namespace {
// The game's townsfolk by sex; the models the simulated towns use.
bool isTownsman(std::uint32_t model) {
    for (const char* town : {"valentine", "rhodes", "stdenis", "strawberry", "blackwater", "armadillo",
                             "tumbleweed", "annesburg", ""})
        for (std::uint32_t folk : Townsfolk::modelsOf(gameHash(town)))
            if (folk == model)
                return true;
    return false;
}

} // namespace

bool Weapons::isWomanModel(std::uint32_t model) {
    static const auto* women = [] {
        auto* set = new std::vector<std::uint32_t>();
        for (const char* name :
             {"a_f_m_valtownfolk_01", "a_f_m_rhdtownfolk_01", "a_f_m_rhdtownfolk_02", "a_f_m_middlesdtownfolk_01",
              "a_f_m_sdfancywhore_01", "a_f_m_strtownfolk_01", "a_f_m_blwtownfolk_01", "a_f_m_blwtownfolk_02",
              "a_f_m_armtownfolk_01", "a_f_m_armtownfolk_02", "a_f_m_asbtownfolk_01", "a_f_m_lagtownfolk_01"})
            set->push_back(gameHash(name));
        return set;
    }();
    return std::find(women->begin(), women->end(), model) != women->end();
}

namespace {

bool isClerkModel(std::uint32_t model) {
    const auto& clerks = StationClerks::clerkModels();
    return std::find(clerks.begin(), clerks.end(), model) != clerks.end();
}

PedWeapons loadoutOf(const World& world, int ped) {
    PedWeapons loadout;
    loadout.current = Weapons::unarmed();
    const EntityRecord* record = world.entities.find(ped);
    if (!record || record->kind != EntityKind::Ped || isAnimalModel(record->model))
        return loadout;
    if (ped == world.player.pedId) {
        // The player carries his guns, his knife and his lasso, with none in hand.
        loadout.carried = {Weapons::revolver(), Weapons::repeater(), Weapons::knife(), Weapons::lasso()};
        return loadout;
    }
    if (Weapons::isWomanModel(record->model) || isClerkModel(record->model))
        return loadout;
    if (isTownsman(record->model)) {
        // One townsman in three carries a revolver.
        if (ped % 3 == 0)
            loadout.carried = {Weapons::revolver()};
    } else {
        loadout.carried = {Weapons::revolver(), Weapons::repeater()};
    }
    if (!loadout.carried.empty())
        loadout.current = loadout.carried.front();
    return loadout;
}
} // namespace

PedWeapons& Weapons::of(const World& world, int ped) {
    auto found = peds_.find(ped);
    if (found == peds_.end())
        found = peds_.emplace(ped, loadoutOf(world, ped)).first;
    return found->second;
}

bool Weapons::carries(const World& world, int ped, std::uint32_t weapon) {
    const PedWeapons& weapons = of(world, ped);
    return std::find(weapons.carried.begin(), weapons.carried.end(), weapon) != weapons.carried.end();
}

std::uint32_t Weapons::current(const World& world, int ped) { return of(world, ped).current; }

std::uint32_t Weapons::best(const World& world, int ped) {
    std::uint32_t best = unarmed();
    for (std::uint32_t weapon : of(world, ped).carried)
        if (rank(weapon) > rank(best))
            best = weapon;
    return best;
}

bool Weapons::select(const World& world, int ped, std::uint32_t weapon) {
    if (weapon != unarmed() && !carries(world, ped, weapon))
        return false;
    of(world, ped).current = weapon;
    return true;
}

void Weapons::give(const World& world, int ped, std::uint32_t weapon) {
    if (weapon != unarmed() && !carries(world, ped, weapon))
        of(world, ped).carried.push_back(weapon);
}

void Weapons::remove(const World& world, int ped, std::uint32_t weapon) {
    PedWeapons& weapons = of(world, ped);
    weapons.carried.erase(std::remove(weapons.carried.begin(), weapons.carried.end(), weapon),
                          weapons.carried.end());
    if (weapons.current == weapon)
        weapons.current = unarmed();
}

} // namespace sim
