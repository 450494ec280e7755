#pragma once
// What the screen has shown (subtitles, help boxes, toasts), oldest first, for
// the timeline and the checks of a scenario. Hours of play show thousands: the
// latest `keptShown` are kept, in slots taken when the screen is made, and each
// entry keeps its place in the count of all ever shown, so that a reader
// following them by number (the timeline) reads on where it stopped.
#include "world/core/kept_records.h"

#include <cstddef>

namespace sim {

template <class T> using ShownHistory = KeptRecords<T>;

inline constexpr std::size_t keptShown = 256;

} // namespace sim
