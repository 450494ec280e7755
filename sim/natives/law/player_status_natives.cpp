// The player's standing with the law, freedom to act and money, and the
// cash-change notification that shows money changing hands.
#include "natives/families.h"

#include "world/cash_change_notification.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPlayerStatusNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::player::lawIncidentActive>([&world](PlayerIndex) { return world.player.wanted; });
    dispatch.implement<n::player::hasControl>([&world](PlayerIndex) { return world.player.hasControl; });
    dispatch.implement<n::gamestate::missionFlag>([&world]() { return world.scriptedSceneActive; });
    dispatch.implement<n::player::bounty>([&world](PlayerIndex) { return world.player.bounty; });
    dispatch.implement<n::player::cashCents>([&world]() { return world.player.cashCents; });
    dispatch.implement<n::player::incrementCash>([&world](int cents, Hash) {
        // The game's cash increment ignores anything but a positive amount.
        if (cents <= 0)
            return false;
        world.player.cashCents += cents;
        return true;
    });
    dispatch.implement<n::player::decrementCash>([&world](int negativeCents) {
        // Takes the money away; the purse never goes below zero.
        if (negativeCents >= 0)
            return false;
        world.player.cashCents += negativeCents;
        if (world.player.cashCents < 0)
            world.player.cashCents = 0;
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
            }
            world.cashChanges.push_back(shown);
        });
}

} // namespace sim
