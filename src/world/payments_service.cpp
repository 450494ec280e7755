#include "world/payments_service.h"

#include "world/train_stations.h"

#include "runtime/data_files.h"
#include "runtime/durable_save.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "runtime/settings.h"
#include "ui/help_text.h"
#include "ui/lang_format.h"
#include "ui/lang_text.h"
#include "ui/prompt.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <string>

namespace drovil {
namespace {

constexpr const char* balanceKey = "pending_payment";
constexpr float stationReach = 30.0f; // metres from the station within which it is "arrived at"
constexpr int reminderDurationMs = 10000;
constexpr std::size_t reminderMaxLength = 250;

// The ticket clerks of the train stations.
constexpr std::array<Hash, 4> clerkModels = {0x1173F849, 0x3F0EC349, 0xC606A445, 0xE9694F3F};

bool isClerkModel(Hash model) {
    return std::find(clerkModels.begin(), clerkModels.end(), model) != clerkModels.end();
}

bool isZero(const Vector3& v) {
    return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f;
}

PaymentsService*& servicePointer() {
    static PaymentsService* service = nullptr;
    return service;
}

// The clerk the player aims at, if any, able to pay out.
Ped aimedClerk() {
    const Entity aimed = playerTargetEntity();
    if (!aimed)
        return Ped();
    if (!isClerkModel(natives::entity::model(aimed)))
        return Ped();
    const Ped clerk(aimed.id);
    if (natives::ped::isDead(clerk, true) || pedFleeing(clerk))
        return Ped();
    return clerk;
}

} // namespace

int dollarsToCents(double dollars) {
    if (std::isnan(dollars))
        return 0;
    if (std::fabs(dollars) > 1e30)
        return dollars > 0.0 ? INT_MAX : -INT_MAX;
    // In floats, as the amounts have always been worked out.
    const float cents = static_cast<float>(dollars) * 100.0f;
    if (std::isnan(cents))
        return 0;
    constexpr float limit = 2147483648.0f; // 2^31, the first float beyond the int range
    if (cents >= limit)
        return INT_MAX;
    if (cents <= -limit)
        return -INT_MAX;
    return static_cast<int>(cents);
}

float PaymentsService::priceScale() {
    // An absent setting reads as 0 and so gives the lowest scale.
    return std::clamp(getSettingFloat("PricesScale"), 0.1f, 10.0f);
}

float PaymentsService::pendingAmount(bool applyScale) const {
    const float stored = savegameFile().getFloat(balanceKey, 0.0f);
    return applyScale ? stored * priceScale() : stored;
}

void PaymentsService::addPayment(float amount, bool save) {
    // The balance is kept unscaled, as the plain sum of the rewards: scaling it
    // here as well as at collection would compound the scale with every contract.
    const float oldBalance = pendingAmount(false);
    const float newBalance = oldBalance + amount;
    savegameFile().setFloat(balanceKey, newBalance);
    log("PaymentsService: balance increased by " + floatText(amount) +
        ". old balance: " + floatText(oldBalance) + " new balance: " + floatText(newBalance));
    if (save)
        saveDurably(savegameFile());
}

void PaymentsService::collectPayment(bool applyScale) {
    if (isCollecting())
        return; // the balance is already on its way out
    const std::string owedText = savegameFile().getString(balanceKey);
    const double scale = applyScale ? priceScale() : 1.0;
    const float owed = pendingAmount(false);
    const double payable = static_cast<double>(owed) * scale;
    const double paid = std::min(payable, maxPayableDollars);
    const double rest = (payable - paid) / scale; // unscaled, as the balance is kept
    if (rest > 0.0)
        savegameFile().setFloat(balanceKey, static_cast<float>(rest));
    else
        savegameFile().setInt(balanceKey, 0);
    collecting_.paid = paid;
    collecting_.taken = owed - static_cast<float>(rest > 0.0 ? rest : 0.0);
    collecting_.owedText = owedText;
    collecting_.clearedText = savegameFile().getString(balanceKey);
    // Never 0: the balance has just changed.
    collecting_.ticket = saveDurably(savegameFile());
    settleCollection();
}

void PaymentsService::settleCollection() {
    if (!isCollecting())
        return;
    switch (fileWriteState(collecting_.ticket)) {
    case WriteState::waiting:
        return;
    case WriteState::written:
        collecting_.ticket = 0;
        giveCash(static_cast<float>(collecting_.paid), true);
        log("PaymentsService: payment collected: " + floatText(collecting_.paid));
        return;
    case WriteState::failed:
        break;
    }
    collecting_.ticket = 0;
    // The file on disk still owes the balance: owe it here too. A reward added
    // meanwhile stays on top of it.
    if (savegameFile().getString(balanceKey) == collecting_.clearedText)
        savegameFile().setString(balanceKey, collecting_.owedText);
    else
        savegameFile().setFloat(balanceKey, pendingAmount(false) + collecting_.taken);
    saveDurably(savegameFile());
    log("PaymentsService: payment not collected: the save failed");
}

void PaymentsService::update() {
    settleCollection();
    const PlayerIndex player = playerIndex();
    if (!playerWanted() && pendingAmount(true) > 0.0f) {
        const Vector3 playerPosition = positionOf(playerPed());
        stationId_ = trainStations().nearestStation(playerPosition);
        const Vector3 station = trainStations().stationPosition(stationId_);
        if (isZero(station))
            return;
        if (distanceBetween(playerPosition, station) > stationReach) {
            // Leaving lets the next arrival remind again; a prompt stays as it is.
            nearStation_ = false;
            return;
        }
        if (!nearStation_) {
            nearStation_ = true;
            showReminder(player);
        }
        const Ped clerk = aimedClerk();
        if (clerk) {
            if (receivePrompt_ == nullptr) {
                receivePrompt_ = createPrompt(langText("prompts.receive_payment"),
                                              "INPUT_NEXT_CAMERA", PromptType::Hold);
                receivePrompt_->attachToEntity(clerk.entity());
                receivePrompt_->setVisible(true);
            }
            if (receivePrompt_->isActivated())
                collectPayment(true);
            return;
        }
        if (receivePrompt_ != nullptr)
            receivePrompt_->attachToEntity(Entity());
    }
    removePrompt();
}

PaymentsService::PaymentsService() {
    // The reminder's whole text, cut short at its length, with its own room
    // for a placeholder filled longer than the cut.
    reminder_.reserve(2 * reminderMaxLength);
}

void PaymentsService::showReminder(PlayerIndex player) {
    const float pending = pendingAmount(true);
    if (!(pending > 0.0f) || gameMissionFlag() || !natives::player::hasControl(player))
        return;
    const char* cashText = natives::hud::cashString(2, "CASH_STRING", dollarsToCents(pending), 32);
    formatLangTextInto(reminder_, langText("payments.reminder_text"), cashText ? cashText : "");
    if (reminder_.size() > reminderMaxLength)
        reminder_.resize(reminderMaxLength);
    showHelpText(reminder_, reminderDurationMs);
}

void PaymentsService::removePrompt() {
    if (receivePrompt_ == nullptr)
        return;
    receivePrompt_->setVisible(false);
    receivePrompt_->destroy();
    delete receivePrompt_;
    receivePrompt_ = nullptr;
}

PaymentsService* paymentsService() {
    return servicePointer();
}

void createPaymentsService() {
    if (servicePointer() == nullptr)
        servicePointer() = new PaymentsService();
}

} // namespace drovil
