// giveCash: money into (or out of) the player's pocket, with the game's cash
// change shown on screen.
#include "world/cash_change_notification.h"
#include "world/payments_service.h"

#include "runtime/natives.h"
#include "ui/text.h"

namespace drovil {
namespace {

constexpr Hash defaultColour = 0x067FA8F3;
constexpr Hash cashTexture = 0x6D31416E;

void showCashChange(int cents) {
    const int magnitude = cents < 0 ? -cents : cents;
    // The records must outlive the call only; the game copies what it shows.
    static CashChangeDuration duration;
    static CashChangeContent content;
    duration.durationMs = 1000;
    content = CashChangeContent();
    content.amountText = natives::hud::cashString(2, "CASH_STRING", magnitude, 32);
    content.colour = cents < 0 ? getHashKey("COLOR_RED") : defaultColour;
    content.textureDictionary = getHashKey("ITEMTYPE_TEXTURES");
    content.texture = cashTexture;
    natives::hud::showToastRight(&duration, &content, 1);
}

} // namespace

void giveCash(float dollars, bool notify) {
    if (dollars == 0.0f)
        return;
    const int cents = dollarsToCents(dollars);
    // The game's decrement takes the amount to take, a positive number of
    // cents (it refuses a negative one and takes nothing).
    if (dollars > 0.0f)
        natives::player::incrementCash(cents, getHashKey("ADD_REASON_DEFAULT"));
    else
        natives::player::decrementCash(-cents);
    if (notify)
        showCashChange(cents);
}

} // namespace drovil
