// An LV2 plug-in behind the effect record the host's commands drive, as
// clapeffect.h does for CLAP: parameters are the control input ports (the
// record's 0..1 values turned into port values: switches 0/1, steps their
// indices), programs are the bundle's presets, the chunk is the property the
// plug-in stores through its state interface, and MIDI and the song position
// reach it as atoms. Time comes from the host's callback, as a VST 2.4
// plug-in would ask for it.
#pragma once

#include <memory>

#include "host/vst2.h"
#include "lv2instance.h"

// The state property Ondex keeps its VST 2.4 chunk under.
inline constexpr const char* kLv2ChunkProperty = "https://zel-acoustics.com/plugins/ondex#chunk";

// A record for a new instance of the bundle's plug-in, at the rate and block
// size the host's callback answers; effClose destroys it. Throws Failure.
AEffect* openLv2Effect(const std::shared_ptr<const Lv2Bundle>& bundle, audioMasterCallback host);

// The LV2 instance behind a record that openLv2Effect made, else null.
Lv2Instance* lv2InstanceOf(AEffect* effect);
