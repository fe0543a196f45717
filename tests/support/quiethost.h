// A host that answers without allocating, locking or reading a clock: the
// version, and time information from one record the caller sets. Whatever a
// test counts during processing is then the plug-in's own doing.
#pragma once

#include "host/vst2.h"

namespace quiethost {

// The record audioMasterGetTime answers with, while answersTime is set.
extern VstTimeInfo transport;
extern bool answersTime;

VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt);

}  // namespace quiethost
