#include "gui/zoomsetting.h"

#include <string>

#include "gui/guiplatform.h"
#include "gui/zoomscale.h"
#include "platform/settingsstore.h"

namespace zoomsetting {
namespace {
// Editor-thread state shared by every instance, as the knob mode is.
uint32_t choices = 0;
int choice = 100;
}  // namespace

int preferred(void* parent) {
  const std::string stored = platform::settings::loadText(kValueName);
  for (const int zoom : kZooms) {
    if (stored == std::to_string(zoom)) {
      return zoom;
    }
  }
  return platform::desktopZoom(parent);  // nothing stored, or not one of the three
}

void choose(int percent) {
  if (!isZoom(percent)) {
    return;
  }
  platform::settings::storeText(kValueName, std::to_string(percent));
  choice = percent;
  ++choices;
}

uint32_t choiceCount() { return choices; }
int lastChoice() { return choice; }

}  // namespace zoomsetting
