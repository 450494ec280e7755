// The player's standing with the law (a law incident, his bounty in cents),
// freedom to act and money, and the toast on the right of the screen that shows
// money changing hands.
#include "natives/families.h"

#include "world/cash_change_notification.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPlayerStatusNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::player::lawIncidentActive>([&world](PlayerIndex) { return world.player.wanted; });
    dispatch.implement<n::player::hasControl>([&world](PlayerIndex) { return world.player.hasControl; });
    dispatch.implement<n::player::bounty>([&world](PlayerIndex) { return world.player.bountyCents; });
    dispatch.implement<n::player::cashCents>([&world]() { return world.player.cashCents; });
    // The game's cash natives take a positive amount of cents: anything else is
    // refused and changes nothing, and so is a decrement the purse cannot
    // cover (the game never lets the cash balance go below zero).
    dispatch.implement<n::player::incrementCash>([&world](int cents, Hash) {
        if (cents <= 0)
            return false;
        world.player.cashCents += cents;
        return true;
    });
    dispatch.implement<n::player::decrementCash>([&world](int cents) {
        if (cents <= 0 || cents > world.player.cashCents)
            return false;
        world.player.cashCents -= cents;
        return true;
    });
    dispatch.implement<n::hud::showToastRight>(
        [&world](const void* durationRecord, const void* contentRecord, int) {
            const auto* duration = static_cast<const CashChangeDuration*>(durationRecord);
            const auto* content = static_cast<const CashChangeContent*>(contentRecord);
            CashChangeShown shown;
            shown.frame = world.clock.frame;
            shown.durationMs = duration ? duration->durationMs : 0;
            if (content) {
                shown.amountText = GameStrings::read(content->amountText);
                shown.colour = content->colour;
                shown.textureDictionary = content->textureDictionary;
                shown.texture = content->texture;
                shown.iconInGame =
                    world.names.inGame(NameKind::TextureDictionary, shown.textureDictionary,
                                       "as the cash change's dictionary") &&
                    world.names.inGame(NameKind::Texture, shown.texture, "as the cash change's icon");
            }
            world.cashChanges.push_back(shown);
        });
}

} // namespace sim
