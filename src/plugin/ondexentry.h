// The composition root: the effect as both modules create it, with its editor.
#pragma once

#include "host/vst2.h"

// What VSTPluginMain (and the CLAP adapter) returns: the record of a new
// effect with the front-panel editor, or null.
AEffect* ondexEntry(audioMasterCallback audioMaster);
