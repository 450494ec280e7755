#pragma once
// Conversations that play across frames without holding up the script: speech
// lines and pauses, advanced once per frame by the runner of the main loop.
//
// A conversation is made with `createAsyncConversation`, filled, then started by
// one `step` from its owner; from then on `runAsyncPlayables` advances it each
// frame and drops it from the running list once it has finished. The owner keeps
// the pointer, polls `isFinished` and deletes the conversation when done with it
// (deleting it earlier is safe too: it leaves the running list).
#include "runtime/types.h"

#include <memory>
#include <vector>

namespace drovil {

class IAsyncPlayable {
public:
    virtual void step() = 0;
    virtual bool isBusy() = 0;
    virtual ~IAsyncPlayable() = default;
};

// One line said by a ped: it waits for the ped to fall silent, speaks, lets the
// line run for at least 10 frames and waits for silence again.
class AsyncSpeechLine : public IAsyncPlayable {
public:
    AsyncSpeechLine(Ped ped, const char* line) : ped_(ped), line_(line) {}
    void step() override;
    bool isBusy() override { return state_ > 0; }

private:
    Ped ped_;
    const char* line_; // a game speech line name, not owned (string literals)
    int state_ = 0;
    int countdown_ = 0;
};

// A pause of `length` units, counted down by the game's per-frame rate value.
class AsyncConversationDelay : public IAsyncPlayable {
public:
    explicit AsyncConversationDelay(int length) : length_(length) {}
    void step() override;
    bool isBusy() override { return remaining_ > 0; }

private:
    int length_;
    int remaining_ = -1;
};

class AsyncConversation : public IAsyncPlayable {
public:
    AsyncConversation() = default;
    AsyncConversation(const AsyncConversation&) = delete;
    AsyncConversation& operator=(const AsyncConversation&) = delete;
    ~AsyncConversation() override;

    // The first step starts the conversation; each later one advances it.
    void step() override;
    // Playing: started and not yet finished.
    bool isBusy() override { return !finished_ && index_ >= 0; }

    // A line by the ped, followed by a pause of `delay` when above 0.
    void addLine(Ped ped, const char* line, int delay);

    bool isFinished() const { return finished_; }
    int index() const { return index_; }
    std::size_t itemCount() const { return items_.size(); }

private:
    std::vector<std::unique_ptr<IAsyncPlayable>> items_;
    int index_ = -1;
    bool finished_ = false;
};

// A new, empty conversation, appended to the running list.
AsyncConversation* createAsyncConversation();

// Once per frame: steps every playing conversation of the running list in
// creation order and drops the finished ones. Conversations never started stay
// in the list untouched.
void runAsyncPlayables();

// The conversations in the running list, in creation order.
const std::vector<AsyncConversation*>& runningAsyncConversations();

// Makes `runAsyncPlayables` a step of the frame's exception guard; called once,
// first of all guarded steps, at start-up. Later calls do nothing.
void registerAsyncPlayablesRunner();

} // namespace drovil
