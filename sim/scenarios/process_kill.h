#pragma once
// The game process dying on the spot, as on a crash or when it is killed from
// outside: no destructors, no flushing, no clean-up of any kind. What the
// plug-in has handed to the operating system (its files) survives; what it
// still held does not.

namespace sim {

[[noreturn]] void killThisProcess();

} // namespace sim
