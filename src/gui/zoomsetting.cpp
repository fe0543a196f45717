#include "gui/zoomsetting.h"

#include <atomic>
#include <string>

#include "gui/guiplatform.h"
#include "gui/zoomscale.h"
#include "platform/settingsstore.h"

namespace zoomsetting {
namespace {
// Shared by every instance, whose editors may run on different threads: the
// choice is written before the count that announces it.
std::atomic<uint32_t> choices{0};
std::atomic<int> choice{100};
}  // namespace

namespace {
int storedChoice() {
  const std::string stored = platform::settings::loadText(kValueName);
  for (const int zoom : kZooms) {
    if (stored == std::to_string(zoom)) {
      return zoom;
    }
  }
  return 0;  // nothing stored, or not one of the three
}
}  // namespace

int preferred(void* parent, int hostZoom) {
  if (const int stored = storedChoice()) {
    return stored;
  }
  return isZoom(hostZoom) ? hostZoom : platform::desktopZoom(parent);
}

bool chosen() { return storedChoice() != 0; }

void choose(int percent) {
  if (!isZoom(percent)) {
    return;
  }
  platform::settings::storeText(kValueName, std::to_string(percent));
  choice.store(percent, std::memory_order_relaxed);
  choices.fetch_add(1, std::memory_order_release);
}

uint32_t choiceCount() { return choices.load(std::memory_order_acquire); }
int lastChoice() { return choice.load(std::memory_order_relaxed); }

}  // namespace zoomsetting
