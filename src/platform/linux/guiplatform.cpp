// The toolkit's platform services on Linux besides text: module bitmaps (the
// Linux build registers the BMP files it embeds in the toolkit's resource
// table, so the module itself adds none), the desktop's scale and the
// monotonic tick count.
#include "gui/guiplatform.h"

#include <X11/Xlib.h>
#include <time.h>

#include <cstdlib>
#include <cstring>

#include "gui/zoomscale.h"

namespace platform {

ResourceBytes findModuleBitmap(int32_t) { return {}; }

namespace {

// Xft.dpi from the X server's resource string; 96 when it says nothing.
int xftDpi() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    return 96;
  }
  int dpi = 96;
  if (const char* resources = XResourceManagerString(display)) {
    for (const char* line = resources; line != nullptr && *line != 0;) {
      if (std::strncmp(line, "Xft.dpi:", 8) == 0) {
        const long value = std::strtol(line + 8, nullptr, 10);
        if (value > 0 && value < 1000) {
          dpi = int(value);
        }
      }
      line = std::strchr(line, '\n');
      line = line != nullptr ? line + 1 : nullptr;
    }
  }
  XCloseDisplay(display);
  return dpi;
}

}  // namespace

int desktopZoom(void*) {
  // Asked at every editor size query: the server's setting once per process.
  static const int zoom = zoomForDpi(xftDpi());
  return zoom;
}

uint32_t tickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return uint32_t(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u);
}

}  // namespace platform
