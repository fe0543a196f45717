// Where the C library's functions cannot be stood in front of (Windows, and
// sanitizer builds), nothing is counted and the checks say so.
#include "blocking_hook.h"

namespace blocking_hook {
bool available() { return false; }
void arm() {}
std::size_t disarm() { return 0; }
const char* firstCall() { return nullptr; }
}  // namespace blocking_hook
