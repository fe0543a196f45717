#include "pluginentry.h"

#include "audioeffect.h"

bool hostIsUsable(audioMasterCallback audioMaster) {
  return audioMaster != nullptr &&
         audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) != 0;
}

AEffect* pluginEntry(audioMasterCallback audioMaster) {
  try {
    if (!hostIsUsable(audioMaster)) {
      return nullptr;
    }
    AudioEffect* effect = createEffectInstance(audioMaster);
    return effect == nullptr ? nullptr : effect->getAeffect();
  } catch (...) {
    return nullptr;
  }
}
