#include "runtime/debug_tools.h"

#include "behaviour/relative_angle.h"
#include "engine/debug_contract_keys.h"
#include "runtime/frame_reads.h"
#include "runtime/keyboard.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"

#include <cmath>
#include <string>

namespace drovil {
namespace {

bool debugToolsOn = false;

constexpr unsigned keyF1 = 112;
constexpr unsigned keyK = 75;
constexpr unsigned keyZ = 90;

void inspectAimedEntity() {
    Hash weapon = 0;
    natives::ped::currentWeapon(playerPed(), &weapon, false, 0, false);
    const PlayerIndex player = playerIndex();
    Entity aimed;
    if (weapon == getHashKey("WEAPON_UNARMED") && natives::player::targetEntity(player, &aimed)) {
        drawText("bearing: " + std::to_string(playerBearingAround(aimed)), 0.0f, 0.05f, 255, 255, 255, 255, false,
                 0.5f, 0.5f, "$body");
        if (wasKeyJustReleased(keyZ, true)) {
            natives::decorator::setInt(aimed, "loot_money", 0);
            natives::decorator::setFloat(aimed, "floot_money", 0);
        }
        // K spawns a test ped; while aiming it is swallowed so it does nothing.
        wasKeyJustReleased(keyK, true);
        return;
    }
    Entity freeAimed;
    if (natives::player::freeAimEntity(player, &freeAimed))
        wasKeyJustReleased(keyK, true);
}

// Dynamite, a bow and a Navy revolver, each with its ammunition, and dynamite
// arrows. The game's ammunition native adds rounds only: each weapon the
// player lacks is given first, without rounds of its own.
void giveTestItem(Hash weapon, int count, Hash reason) {
    if (!natives::weapon::pedHasWeapon(playerPed(), weapon, 0, false))
        natives::weapon::giveDelayedWeapon(playerPed(), weapon, 0, false, reason);
    natives::inventory::addAmmoForWeapon(playerPed(), weapon, count, reason);
}

void giveTestItems() {
    const Hash reason = getHashKey("ADD_REASON_DEFAULT");
    giveTestItem(0xA64DAA5E, 5, reason);
    giveTestItem(0x88A8505C, 15, reason);
    giveTestItem(0x07E945C8, 50, reason);
    natives::inventory::addAmmoOfType(playerPed(), getHashKey("AMMO_ARROW_DYNAMITE"), 10, reason);
}

} // namespace

bool isDebugToolsOn() { return debugToolsOn; }

void toggleDebugTools() {
    if (debugToolsOn) {
        showSubtitle("Debug tools OFF");
        natives::entity::setInvincible(playerPed().entity(), false);
        natives::player::setMaxWantedLevel(5);
        debugToolsOn = false;
    } else {
        showSubtitle("Debug tools ON");
        natives::entity::setInvincible(playerPed().entity(), true);
        debugToolsOn = true;
    }
}

void runDebugFrame() {
    natives::entity::setInvincible(playerPed().entity(), true);
    inspectAimedEntity();
    drawIntegerOverlay(natives::pedshot::isAvailable());
    if (wasKeyJustReleased(keyF1, true))
        giveTestItems();
    // F3, Z, X and K come last, so that K has been swallowed above while the
    // player aims at an entity or is locked on.
    runDebugContractKeys();
}

} // namespace drovil
