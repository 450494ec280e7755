#include "behaviour/async_conversation.h"

#include "behaviour/speech.h"
#include "runtime/natives.h"
#include "runtime/startup_objects.h"

#include <algorithm>
#include <cstddef>

namespace drovil {
namespace {

std::vector<AsyncConversation*>& runningList() {
    static auto* list = new std::vector<AsyncConversation*>();
    return *list;
}

} // namespace

void AsyncSpeechLine::step() {
    switch (state_) {
    case 0: // claimed by the conversation: busy from now on
        state_ = 1;
        break;
    case 1: // never talk over the ped
        if (!isSpeaking(ped_))
            state_ = 2;
        break;
    case 2:
        playSpeech(ped_, line_);
        countdown_ = 10;
        state_ = 3;
        break;
    case 3: // the game reports the speech a few frames late: give it time to start
        countdown_ -= 1;
        if (countdown_ <= 0)
            state_ = 4;
        break;
    case 4:
        if (!isSpeaking(ped_))
            state_ = 0;
        break;
    default:
        break;
    }
}

void AsyncConversationDelay::step() {
    if (isBusy()) {
        const float x = static_cast<float>(remaining_) - 1.0f / natives::frame::timeStep();
        remaining_ = x >= 0.0f ? static_cast<int>(x) : 0;
    } else {
        remaining_ = length_;
    }
}

AsyncConversation::~AsyncConversation() {
    auto& list = runningList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void AsyncConversation::step() {
    if (!isBusy()) {
        index_ = 0;
        return;
    }
    if (index_ < static_cast<int>(items_.size())) {
        IAsyncPlayable& item = *items_[static_cast<std::size_t>(index_)];
        item.step();
        if (!item.isBusy())
            index_ += 1;
    } else {
        finished_ = true;
        index_ = -1;
    }
}

void AsyncConversation::addLine(Ped ped, const char* line, int delay) {
    items_.push_back(std::make_unique<AsyncSpeechLine>(ped, line));
    if (delay > 0)
        items_.push_back(std::make_unique<AsyncConversationDelay>(delay));
}

AsyncConversation* createAsyncConversation() {
    auto* conversation = new AsyncConversation();
    runningList().push_back(conversation);
    return conversation;
}

void runAsyncPlayables() {
    auto& list = runningList();
    // By index: a step may start a new conversation, which joins the end of the list.
    for (std::size_t i = 0; i < list.size();) {
        AsyncConversation* conversation = list[i];
        if (conversation->isBusy())
            conversation->step();
        if (conversation->isFinished())
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

const std::vector<AsyncConversation*>& runningAsyncConversations() {
    return runningList();
}

void registerAsyncPlayablesRunner() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    addGuardedFrameStep(runAsyncPlayables);
}

} // namespace drovil
