#pragma once
// Simulated time: frames, the milliseconds since the game started and the
// in-game time of day.
#include <cstdint>

namespace sim {

struct Clock {
    std::uint64_t frame = 0;
    std::uint64_t elapsedMs = 0;      // game time since the session started
    std::uint32_t frameMs = 33;       // one frame at about 30 frames per second
    std::uint32_t msPerGameMinute = 2000;
    std::uint32_t tickBase = 1'000'000; // the system tick count when the session started
    int startMinuteOfDay = 9 * 60;    // the day starts at 09:00

    void advance() {
        ++frame;
        elapsedMs += frameMs;
    }
    // The operating system's tick count as the plug-in reads it.
    std::uint32_t tickCount() const { return tickBase + static_cast<std::uint32_t>(elapsedMs); }
    // Minutes of in-game time since midnight of the first day.
    std::uint64_t gameMinutes() const { return startMinuteOfDay + elapsedMs / msPerGameMinute; }
    int hourOfDay() const { return static_cast<int>((gameMinutes() / 60) % 24); }
    int minuteOfHour() const { return static_cast<int>(gameMinutes() % 60); }
};

} // namespace sim
