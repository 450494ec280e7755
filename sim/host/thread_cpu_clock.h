#pragma once
// The processor time the calling thread itself has run, in nanoseconds: time
// the machine gave to other threads or processes does not count, so a busy
// machine does not make the plug-in look slow. Linux reads the thread's CPU
// clock; Windows counts the thread's processor cycles, converted with a rate
// measured once against the performance counter.
#include <cstdint>

namespace sim {

std::uint64_t threadCpuNanoseconds();

// What reading the clock itself costs between two reads (the median of many
// back-to-back reads): whoever times a short stretch between two reads takes it
// off, since the stretch includes about one read's own work.
std::uint64_t threadCpuReadCost();

} // namespace sim
