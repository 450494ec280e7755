#pragma once
// Conversations that play through in one call, holding up the script thread
// with waits until the last item is done: speech lines, task sequences acted out
// by a ped, and pauses. Only for callers that may block (the quest handover).
#include "runtime/types.h"

#include <memory>
#include <vector>

namespace drovil {

class IPlayable {
public:
    // Begins the item without waiting.
    virtual void start() = 0;
    // Begins the item and waits until it is done.
    virtual void play() = 0;
    virtual bool isPlaying() = 0;
    virtual ~IPlayable() = default;
};

// A ped says a line; it plays while the ped is talking.
class ConversationLine : public IPlayable {
public:
    ConversationLine(Ped ped, const char* line) : ped_(ped), line_(line) {}
    void start() override;
    void play() override;
    bool isPlaying() override;
    virtual void beforeLine() {}
    virtual void afterLine() {}

protected:
    Ped ped_;
    const char* line_; // a game speech line name, not owned (string literals)
};

// A ped performs a task sequence; it plays until the sequence has reached the
// step `stopStep` or has ended.
class ConversationAction : public IPlayable {
public:
    // `sequence` points to the caller's sequence handle, which must outlive the action.
    ConversationAction(Ped ped, const TaskSequence* sequence, int stopStep)
        : ped_(ped), sequence_(sequence), stopStep_(stopStep) {}
    void start() override;
    void play() override;
    bool isPlaying() override;

private:
    Ped ped_;
    const TaskSequence* sequence_;
    int stopStep_;
};

// A pause; a negative length counts as 0.
class Delay : public IPlayable {
public:
    explicit Delay(int milliseconds) : milliseconds_(milliseconds < 0 ? 0 : milliseconds) {}
    void start() override { play(); }
    void play() override;
    bool isPlaying() override { return playing_; }
    int milliseconds() const { return milliseconds_; }

private:
    int milliseconds_;
    bool playing_ = false;
};

class Conversation {
public:
    // A line, followed by a pause of `delayMs` when above 0.
    void addLine(Ped ped, const char* line, int delayMs);
    void addAction(Ped ped, const TaskSequence* sequence, int stopStep);
    // A pause; nothing is added for 0 or less.
    void addDelay(int milliseconds);

    // Plays every item in order, each once the one before it has stopped playing.
    // Blocks the script thread until the last item is done.
    void play();

    bool isPlaying() const { return playing_; }
    bool isFinished() const { return finished_; }
    int index() const { return index_; }
    std::size_t itemCount() const { return items_.size(); }

private:
    bool playing_ = false;
    bool finished_ = false;
    std::vector<std::unique_ptr<IPlayable>> items_;
    int index_ = -1;
};

} // namespace drovil
