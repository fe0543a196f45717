// Counts heap allocations made through operator new, and can refuse large ones,
// for the tests of the audio path's real-time safety.
#pragma once

#include <cstddef>

namespace allocation_hook {

// Allocations counted since the last reset.
std::size_t count();
void resetCount();
// Requests of at least this many bytes fail (0: none fail).
void failFrom(std::size_t bytes);

}  // namespace allocation_hook
