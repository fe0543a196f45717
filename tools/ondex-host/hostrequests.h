// What the host answers when a plug-in calls back: version, time info, pin
// connection, capabilities, MIDI and automation reports.
#pragma once

#include <string>

#include "host/vst2.h"
#include "transport.h"

struct HostContext {
  double sampleRate = 44100.0;
  VstInt32 blockSize = 512;
  bool verbose = false;
  bool processing = false;
  Transport transport{44100.0, 120.0};
};

// The host's callback. It finds its context through the effect's first
// host-reserved field, or, while the entry point is still running, through
// the context being created.
extern "C" VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt);

// Context for callbacks that arrive before the effect record is known.
void setContextUnderConstruction(HostContext* context);

// Binds the effect's callbacks to a context.
void attachContext(AEffect* effect, HostContext* context);

// What the host answers to audioMasterCanDo.
bool hostCanDo(const std::string& what);
