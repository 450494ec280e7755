#include "ui/help_text.h"

#include "runtime/natives.h"
#include "ui/bounded_copy.h"
#include "ui/feed_records.h"

#include <cstdint>
#include <cstring>

namespace drovil {
namespace {

struct HelpTextQueue {
    char buffer[helpTextCapacity] = {};
    std::int32_t durationMs = 0;
};

HelpTextQueue& queue() {
    static auto* pending = new HelpTextQueue();
    return *pending;
}

// The game reads these records when the box is shown; they stay in static
// storage so the addresses it was given remain valid.
FeedDurationRecord helpDuration;
HelpContentRecord helpContent;

} // namespace

void showHelpText(const char* text, int durationMs) {
    HelpTextQueue& pending = queue();
    copyBounded(pending.buffer, sizeof pending.buffer, text);
    const char* gameString = natives::hud::literalString(10, "LITERAL_STRING", pending.buffer);
    helpContent.text = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(gameString));
    pending.durationMs = durationMs;
}

void flushHelpText() {
    HelpTextQueue& pending = queue();
    if (pending.buffer[0] == '\0')
        return;
    helpDuration.durationMs = pending.durationMs;
    helpContent.zero = 0;
    natives::hud::showHelpBox(&helpDuration, &helpContent, 1);
    // A zero first byte marks the queue empty; the next text overwrites the rest.
    std::memset(pending.buffer, 0, 100);
}

} // namespace drovil
