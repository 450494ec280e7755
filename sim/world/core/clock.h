#pragma once
// Simulated time: frames, the milliseconds since the session started, and the
// game's clock and calendar. The game clock runs a game minute every
// `msPerGameMinute` real milliseconds and jumps forward when the player sleeps.
#include <cstdint>

namespace sim {

struct Clock {
    std::uint64_t frame = 0;
    std::uint64_t elapsedMs = 0;      // real time since the session started
    std::uint32_t frameMs = 33;       // one frame at about 30 frames per second
    std::uint32_t msPerGameMinute = 2000;
    std::uint32_t tickBase = 1'000'000; // the system tick count when the session started
    // The game's own millisecond timer counts from when the game started; the
    // session begins once the game has loaded the story.
    std::uint32_t gameTimerAtStartMs = 45'000;
    int startMinuteOfDay = 9 * 60; // the day starts at 09:00
    // The calendar day the session starts on, in days since 1 January 1898,
    // the base year of the game's calendar: 14 June 1899.
    int startDaySinceBaseYear = 365 + 164;
    // Game time passed at once (the player slept or waited), in game seconds.
    std::uint64_t skippedGameSeconds = 0;

    void advance() {
        ++frame;
        elapsedMs += frameMs;
    }
    // The operating system's tick count as the plug-in reads it.
    std::uint32_t tickCount() const { return tickBase + static_cast<std::uint32_t>(elapsedMs); }
    // The game's millisecond timer.
    std::uint32_t gameTimerMs() const { return gameTimerAtStartMs + static_cast<std::uint32_t>(elapsedMs); }
    // Game seconds since the session started, including time slept.
    std::uint64_t gameSeconds() const { return elapsedMs * 60 / msPerGameMinute + skippedGameSeconds; }
    // Minutes of in-game time since midnight of the first day.
    std::uint64_t gameMinutes() const { return startMinuteOfDay + gameSeconds() / 60; }
    int hourOfDay() const { return static_cast<int>((gameMinutes() / 60) % 24); }
    int minuteOfHour() const { return static_cast<int>(gameMinutes() % 60); }
    // Game seconds since the start of the base year, as the game's calendar
    // native reports them.
    std::int64_t secondsSinceBaseYear() const {
        return static_cast<std::int64_t>(startDaySinceBaseYear) * 86400 +
               static_cast<std::int64_t>(startMinuteOfDay) * 60 + static_cast<std::int64_t>(gameSeconds());
    }
    // Moves the game clock on at once (sleeping, waiting); real time does not pass.
    void skipGameTime(std::uint64_t gameSecondsToSkip) { skippedGameSeconds += gameSecondsToSkip; }
};

} // namespace sim
