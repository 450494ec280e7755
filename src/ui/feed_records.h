#pragma once
// The records the game's UI feed reads when it shows a help box or a toast.
// Layouts are fixed by the game: the offsets below are what it reads, so they
// are checked at compile time.
#include <cstddef>
#include <cstdint>

namespace drovil {

// How long a help box or toast stays up. The game reads the duration from
// offset 0; the rest is kept zero.
struct alignas(8) FeedDurationRecord {
    std::int32_t durationMs = 0;
    std::int32_t unused[7] = {};
};

// The help box: an int 0 at offset 0, the text's game string at offset 8.
struct alignas(8) HelpContentRecord {
    std::int32_t zero = 0;
    std::int32_t padding = 0;
    std::uint64_t text = 0;
};

// A toast: all zero but the title and body game strings (offsets 8 and 16)
// and the hashes of the icon's texture dictionary and texture (32 and 40).
struct alignas(8) ToastContentRecord {
    std::uint64_t unused0 = 0;
    std::uint64_t title = 0;
    std::uint64_t body = 0;
    std::uint64_t unused24 = 0;
    std::uint32_t dictionaryHash = 0;
    std::uint32_t padding36 = 0;
    std::uint32_t textureHash = 0;
    std::uint32_t padding44 = 0;
};

static_assert(offsetof(FeedDurationRecord, durationMs) == 0);
static_assert(offsetof(HelpContentRecord, zero) == 0 && offsetof(HelpContentRecord, text) == 8);
static_assert(sizeof(ToastContentRecord) == 48);
static_assert(offsetof(ToastContentRecord, title) == 8 && offsetof(ToastContentRecord, body) == 16);
static_assert(offsetof(ToastContentRecord, dictionaryHash) == 32 &&
              offsetof(ToastContentRecord, textureHash) == 40);

} // namespace drovil
