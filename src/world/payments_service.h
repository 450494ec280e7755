#pragma once
// The pending balance of completed contracts and its collection in cash from a
// train station clerk.
//
// The balance under "pending_payment" in Savegame.dat is the plain sum of the
// rewards in dollars; the PricesScale setting is applied once, whenever the
// balance is shown or paid out.
#include "runtime/file_writer.h"
#include "runtime/types.h"

#include <string>

namespace drovil {

class Prompt;

class PaymentsService {
public:
    PaymentsService();
    PaymentsService(const PaymentsService&) = delete;
    PaymentsService& operator=(const PaymentsService&) = delete;

    // "PricesScale" clamped to [0.1, 10]; an absent setting gives 0.1.
    static float priceScale();

    // The stored balance in dollars, times priceScale() when `applyScale`.
    float pendingAmount(bool applyScale) const;

    // Adds a reward (dollars, unscaled) to the balance; saves Savegame.dat when `save`.
    void addPayment(float amount, bool save);

    // Clears the balance in Savegame.dat and, once the file on disk no longer
    // owes it (a frame or so later: the save is written off the script thread),
    // pays it out in cash. When the save fails nothing is paid and the balance
    // stays owed: paying first would pay it again after a restart. A balance
    // beyond what the game's cash can hold is paid up to that and the rest stays
    // pending.
    void collectPayment(bool applyScale);
    // A collection whose save is not on the disk yet.
    bool isCollecting() const { return collecting_.ticket != 0; }

    // Once per frame: the reminder on arrival at a station and the hold prompt on
    // a clerk the player aims at.
    void update();

private:
    // A balance taken off the save, paid once the save is on the disk.
    struct Collection {
        WriteTicket ticket = 0;
        double paid = 0.0;        // dollars, in cash
        float taken = 0.0f;       // dollars off the unscaled balance
        std::string owedText;     // the balance's text before
        std::string clearedText;  // the balance's text after
    };

    // Pays or gives back a collection once its save has been written or failed.
    void settleCollection();
    void showReminder(PlayerIndex player);
    void removePrompt();

    Collection collecting_;

    Prompt* receivePrompt_ = nullptr;
    // The reminder's text, made again on each arrival in room made at the start.
    std::string reminder_;
    bool nearStation_ = false;
    int stationId_ = 0;
};

// Adds (or, when negative, removes) cash on the player; 0 does nothing. With
// `notify` the change is shown for 1000 ms.
void giveCash(float dollars, bool notify);

// The most that fits the game's cents: $21,474,836.47.
inline constexpr double maxPayableDollars = 21474836.47;
// Dollars as the game's 32-bit cents, truncated as int(dollars x 100); beyond
// the range the nearest end of it, and 0 for a value that is not a number. No
// hand-edited balance can overflow the cents arithmetic.
int dollarsToCents(double dollars);

// The process-wide payments service, created at start-up (null before).
PaymentsService* paymentsService();
void createPaymentsService();

} // namespace drovil
