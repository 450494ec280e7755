#pragma once
// Bringing a hogtied contract target in alive: the sheriff's office of the
// contract's area marked on the map with a route, the hand-over prompt the
// player holds there (on foot, a few metres from the office, the target within
// his reach, the law not after him), and the lawman who then comes out of the
// office, takes the target up and carries him inside.
//
// The office's own lawman is the one who comes out, when the game has one
// there; otherwise a deputy of the area's law steps out of the office door. A
// lawman struck down on his way leaves the target where he lies: the player
// may hold the prompt again.
#include "runtime/types.h"
#include "world/mission_data.h"

#include <memory>
#include <string>

namespace drovil {

class BaseContractExecutor;
class Prompt;
struct PoliceDepartment;

class AliveDelivery {
public:
    explicit AliveDelivery(BaseContractExecutor& executor);
    ~AliveDelivery();
    AliveDelivery(const AliveDelivery&) = delete;
    AliveDelivery& operator=(const AliveDelivery&) = delete;

    // Marks the office of the mission's area with its blip and a route; false
    // (logged) when the area has no office.
    bool begin();
    // Takes the office off the map and the prompt off the screen, and lets a
    // lawman still on his way go back: the target stays where he is.
    void end();
    bool begun() const { return office_ != nullptr; }

    // One frame at the office: the prompt, then the lawman's walk. True once
    // the lawman has the target inside: the target is then to be deleted.
    bool update(Ped target);
    // The lawman coming for the target (none before the prompt was held).
    Ped lawman() const { return lawman_; }

private:
    void callLawman(Ped target);
    bool lawmanHasTakenHimIn(Ped target);
    // The lawman goes back to the game (the office's own) or into the office
    // for good (a deputy stepped out for the target).
    void letLawmanGo(bool inside);
    Ped findOfficeLawman() const;
    void hidePrompt();
    void executorLog(const std::string& message) const;

    BaseContractExecutor& executor_;
    const PoliceDepartment* office_ = nullptr;
    Blip officeBlip_;
    bool routeShown_ = false;
    std::unique_ptr<Prompt> prompt_;
    bool lawWarned_ = false;
    Ped lawman_;
    bool deputy_ = false; // the lawman was made for the hand-over
    int lawmanCalledAtMs_ = 0;
};

// The hand-over tuning of GeneralMeta.dat, read when asked.
float handOverDistance();
float handOverReach();

} // namespace drovil
