#include "pluginentry.h"

bool hostIsUsable(audioMasterCallback audioMaster) {
  return audioMaster != nullptr &&
         audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) != 0;
}
