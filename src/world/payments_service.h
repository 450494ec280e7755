#pragma once
// The pending balance of completed contracts and its collection in cash from a
// train station clerk.
//
// The balance under "pending_payment" in Savegame.dat is the plain sum of the
// rewards in dollars; the PricesScale setting is applied once, whenever the
// balance is shown or paid out.
#include "runtime/types.h"

namespace drovil {

class Prompt;

class PaymentsService {
public:
    PaymentsService() = default;
    PaymentsService(const PaymentsService&) = delete;
    PaymentsService& operator=(const PaymentsService&) = delete;

    // "PricesScale" clamped to [0.1, 10]; an absent setting gives 0.1.
    static float priceScale();

    // The stored balance in dollars, times priceScale() when `applyScale`.
    float pendingAmount(bool applyScale) const;

    // Adds a reward (dollars, unscaled) to the balance; saves Savegame.dat when `save`.
    void addPayment(float amount, bool save);

    // Pays the balance out in cash, clears it and saves Savegame.dat.
    void collectPayment(bool applyScale);

    // Once per frame: the reminder on arrival at a station and the hold prompt on
    // a clerk the player aims at.
    void update();

private:
    void showReminder(PlayerIndex player);
    void removePrompt();

    Prompt* receivePrompt_ = nullptr;
    bool nearStation_ = false;
    int stationId_ = 0;
};

// Adds (or, when negative, removes) cash on the player; 0 does nothing. With
// `notify` the change is shown for 1000 ms.
void giveCash(float dollars, bool notify);

// The process-wide payments service, created at start-up (null before).
PaymentsService* paymentsService();
void createPaymentsService();

} // namespace drovil
