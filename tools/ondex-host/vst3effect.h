// A VST 3 plug-in behind the effect record the host's commands drive: the
// record's dispatcher, parameter and processing entries become VST 3 calls, so
// info, render, demo and bench run VST 3 modules through the same code. The
// record's programs are the plug-in's program list, chosen through its
// program-change parameter; MIDI controllers reach it as the parameters its
// MIDI mapping names, and time comes from the host's callback as a process
// context.
#pragma once

#include "host/vst2.h"
#include "vst3instance.h"

// A record for a new instance of the module's plug-in; effClose destroys it.
// Throws Failure when the plug-in cannot be made.
AEffect* openVst3Effect(const Vst3Module& module, audioMasterCallback host);

// The VST 3 instance behind a record that openVst3Effect made, else null.
Vst3Instance* vst3InstanceOf(AEffect* effect);
