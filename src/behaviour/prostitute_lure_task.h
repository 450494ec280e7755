#pragma once
// A working girl the player has paid luring a saloon's contract target out: she
// walks up to him and flirts; if he takes her up on it she walks him to a quiet
// spot, where he turns on her with a knife. A refused offer ends after the
// exchange of words. The task is over when either of the two goes down, gets
// hurt badly, runs off, or the target turns on the player.
#include "behaviour/async_ped_task.h"
#include "runtime/types.h"

namespace drovil {

class AsyncConversation;

class ProstituteLureTask : public AsyncPedTask {
public:
    // Phases of the lure; Over ends it.
    enum Phase : int {
        Over = -1,
        Approach = 0,    // she is sent to him
        Flirt = 1,       // waiting to reach him, then the words
        Answer = 2,      // the words are being said
        Lead = 3,        // he accepted: both set off
        Walking = 4,     // she leads him to the spot
        Attack = 5,      // at the spot: he draws a knife on her
        Attacked = 6,    // nothing more to do: it ends when one of them is down
    };

    ProstituteLureTask(Ped prostitute, Ped target, const Vector3& lureLocation, bool accepts, bool attack);
    ~ProstituteLureTask() override;

    bool isFinished() override { return phase_ == Over; }
    void step() override;

    int phase() const { return phase_; }
    bool accepts() const { return accepts_; }
    const Vector3& lureLocation() const { return lureLocation_; }
    Ped target() const { return target_; }

private:
    // Either of the two can no longer play a part.
    bool interrupted() const;
    void sendHerToHim();
    void startConversation();
    void setOffForTheSpot();
    void turnOnHer();

    Ped target_;
    Vector3 lureLocation_;
    bool accepts_ = false;
    bool attack_ = true;
    int phase_ = Approach;
    AsyncConversation* conversation_ = nullptr;
};

} // namespace drovil
