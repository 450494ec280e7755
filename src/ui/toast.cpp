#include "ui/toast.h"

#include "runtime/natives.h"
#include "ui/bounded_copy.h"
#include "ui/feed_records.h"
#include "ui/sprite.h"
#include "ui/text.h"

#include <cstdint>
#include <cstring>

namespace drovil {
namespace {

constexpr int dictionaryTries = 20;
constexpr int dictionaryWaitMs = 100;

struct ToastQueue {
    char title[toastTextCapacity] = {};
    char body[toastTextCapacity] = {};
    char dictionary[toastTextCapacity] = {};
    char texture[toastTextCapacity] = {};
    std::int32_t durationMs = 0;
};

ToastQueue& queue() {
    static auto* pending = new ToastQueue();
    return *pending;
}

// Read by the game when the toast is shown; static so the addresses stay valid.
FeedDurationRecord toastDuration;
ToastContentRecord toastContent;

std::uint64_t gameStringOf(const char* text) {
    const char* gameString = natives::hud::literalString(10, "LITERAL_STRING", text);
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(gameString));
}

} // namespace

void showToast(const char* title, const char* body, const char* dictionary, const char* texture,
               int durationMs) {
    ToastQueue& pending = queue();
    pending.durationMs = durationMs;
    copyBounded(pending.title, sizeof pending.title, title);
    copyBounded(pending.body, sizeof pending.body, body);
    copyBounded(pending.dictionary, sizeof pending.dictionary, dictionary);
    copyBounded(pending.texture, sizeof pending.texture, texture);
}

void flushToast() {
    ToastQueue& pending = queue();
    if (pending.title[0] == '\0')
        return;
    // A dictionary that never loads does not hold the toast back: it is shown
    // after the last try, with whatever icon the game has.
    loadTextureDictionary(pending.dictionary, dictionaryTries, dictionaryWaitMs);

    toastDuration.durationMs = pending.durationMs;
    toastContent = ToastContentRecord();
    toastContent.textureHash = getHashKey(pending.texture);
    toastContent.dictionaryHash = getHashKey(pending.dictionary);
    toastContent.title = gameStringOf(pending.title);
    toastContent.body = gameStringOf(pending.body);
    natives::hud::showToastNotification(&toastDuration, &toastContent, 1, 1);

    std::memset(pending.title, 0, sizeof pending.title);
    std::memset(pending.body, 0, sizeof pending.body);
    std::memset(pending.dictionary, 0, sizeof pending.dictionary);
    std::memset(pending.texture, 0, sizeof pending.texture);
}

} // namespace drovil
