// Creation of the effect through the host's entry point.
#pragma once

#include "vst2.h"

class AudioEffect;

// Defined by the effect: creates one instance, or null.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);

// What VSTPluginMain does: asks the host's version, creates the effect and
// returns its record, or null. Never throws.
AEffect* pluginEntry(audioMasterCallback audioMaster);

// True when the host answers a non-zero version; a null callback answers nothing.
bool hostIsUsable(audioMasterCallback audioMaster);
