// A CLAP plug-in behind the effect record the host's commands drive: the
// record's dispatcher, parameter and processing entries become CLAP calls, so
// info, render, demo and bench run CLAP modules through the same code. Time
// comes from the host's callback, as a VST 2.4 plug-in would ask for it.
#pragma once

#include "clapinstance.h"
#include "host/vst2.h"

// A record for a new instance of the module's plug-in; effClose destroys it.
// Throws Failure when the plug-in cannot be made.
AEffect* openClapEffect(const ClapModule& module, audioMasterCallback host);

// The CLAP instance behind a record that openClapEffect made, else null.
ClapInstance* clapInstanceOf(AEffect* effect);
