// Counts calls that may block or take unbounded time (clocks, sleeps, locks,
// file and console I/O, the C heap) while armed, by standing in front of the C
// library's functions of those names (Linux, builds without sanitizers, which
// put their own interceptors there).
#pragma once

#include <cstddef>

namespace blocking_hook {

// True where the hook is linked in; elsewhere nothing is counted.
bool available();
void arm();
// Stops counting and returns the calls counted since arm().
std::size_t disarm();
// The first function counted since arm(), or null.
const char* firstCall();

}  // namespace blocking_hook
