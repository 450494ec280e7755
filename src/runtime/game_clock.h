#pragma once
// The game clock counts game seconds, which pass faster than real ones: the
// game reports how many real milliseconds make one game minute.
namespace drovil {

// The game clock now, in game seconds.
int gameClockSeconds();

// The real seconds (rounded down) that pass while the game clock goes from
// `then` to `now`.
int realSecondsBetween(int then, int now);

} // namespace drovil
