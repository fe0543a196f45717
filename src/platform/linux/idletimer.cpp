// No timer without an event loop of our own: Linux hosts give theirs.
#include "../idletimer.h"

namespace platform {

void* startIdleTimer(unsigned /*milliseconds*/, IdleCallback /*callback*/, void* /*context*/) {
  return nullptr;
}

void stopIdleTimer(void* /*timer*/) {}

}  // namespace platform
