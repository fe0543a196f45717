// The toolkit's platform services on Linux besides text: module bitmaps (the
// Linux build registers the BMP files it embeds in the toolkit's resource
// table, so the module itself adds none) and the monotonic tick count.
#include "gui/guiplatform.h"

#include <time.h>

namespace platform {

ResourceBytes findModuleBitmap(int32_t) { return {}; }

uint32_t tickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return uint32_t(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u);
}

}  // namespace platform
