// Counts heap allocations and frees made through operator new and delete, and
// can refuse large allocations,
// for the tests of the audio path's real-time safety.
#pragma once

#include <cstddef>

namespace allocation_hook {

// Allocations counted since the last reset.
std::size_t count();
// Frees counted since the last reset.
std::size_t frees();
void resetCount();
// Requests of at least this many bytes fail (0: none fail).
void failFrom(std::size_t bytes);

}  // namespace allocation_hook
