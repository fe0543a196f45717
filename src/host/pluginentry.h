// Creation of the effect through the host's entry point.
#pragma once

#include "audioeffect.h"
#include "vst2.h"

// True when the host answers a non-zero version; a null callback answers nothing.
bool hostIsUsable(audioMasterCallback audioMaster);

// What VSTPluginMain does: asks the host's version, creates the effect with
// `create` (audioMasterCallback -> AudioEffect*, null when it cannot) and
// returns its record, or null. Never throws.
template <class Create>
AEffect* pluginEntry(audioMasterCallback audioMaster, Create&& create) noexcept {
  try {
    if (!hostIsUsable(audioMaster)) {
      return nullptr;
    }
    AudioEffect* effect = create(audioMaster);
    return effect == nullptr ? nullptr : effect->getAeffect();
  } catch (...) {
    return nullptr;
  }
}
