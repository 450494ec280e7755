#include "behaviour/conversation.h"

#include "behaviour/speech.h"
#include "runtime/host_api.h"
#include "runtime/natives.h"

namespace drovil {

void ConversationLine::start() {
    beforeLine();
    playSpeech(ped_, line_);
    afterLine();
}

void ConversationLine::play() {
    beforeLine();
    playSpeech(ped_, line_);
    while (isSpeaking(ped_))
        scriptWait(100);
    afterLine();
}

bool ConversationLine::isPlaying() {
    return isSpeaking(ped_);
}

void ConversationAction::start() {
    natives::task::performSequence(ped_, *sequence_);
}

void ConversationAction::play() {
    start();
    // Give the ped time to take the sequence up before its progress is read.
    scriptWait(400);
    while (isPlaying())
        scriptWait(50);
}

bool ConversationAction::isPlaying() {
    const int progress = natives::task::sequenceProgress(ped_);
    return progress != -1 && progress < stopStep_;
}

void Delay::play() {
    playing_ = true;
    scriptWait(static_cast<std::uint32_t>(milliseconds_));
    playing_ = false;
}

void Conversation::addLine(Ped ped, const char* line, int delayMs) {
    items_.push_back(std::make_unique<ConversationLine>(ped, line));
    if (delayMs > 0)
        items_.push_back(std::make_unique<Delay>(delayMs));
}

void Conversation::addAction(Ped ped, const TaskSequence* sequence, int stopStep) {
    items_.push_back(std::make_unique<ConversationAction>(ped, sequence, stopStep));
}

void Conversation::addDelay(int milliseconds) {
    if (milliseconds > 0)
        items_.push_back(std::make_unique<Delay>(milliseconds));
}

void Conversation::play() {
    playing_ = true;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        index_ = static_cast<int>(i);
        IPlayable& item = *items_[i];
        while (item.isPlaying())
            scriptWait(100);
        item.play();
    }
    playing_ = false;
    finished_ = true;
}

} // namespace drovil
