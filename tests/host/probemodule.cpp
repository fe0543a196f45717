// A plug-in of our own making for testing the host: it asks the host what a
// plug-in may ask and writes the answers into its output, so that a render
// shows what the host told it.
//   left output:  the song position (samplePos) the host reports for the
//                 block, plus a million times the current program
//   right output: the position in quarter notes (ppqPos), or -1 unless the
//                 transport plays with tempo and position valid, or -2 unless
//                 the host is VST 2.4, connects the pins, wants MIDI and can
//                 send MIDI events; after a control change its value / 1000
// A control change is also reported to the host as automation of "Tone".
#include <cstring>

#include "host/vst2.h"

namespace {

struct Probe {
  AEffect effect{};
  audioMasterCallback host = nullptr;
  bool hostAnswersRight = false;
  bool open = false;
  bool on = false;
  int lastControlValue = -1;
  VstInt32 program = 0;
};

const char* const kProgramNames[] = {"first", "second", "third"};

Probe* probeOf(AEffect* e) { return static_cast<Probe*>(e->object); }

VstIntPtr ask(Probe* p, VstInt32 opcode, VstInt32 index = 0, void* ptr = nullptr) {
  return p->host(&p->effect, opcode, index, 0, ptr, 0.0f);
}

VstIntPtr dispatcher(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                     float /*opt*/) {
  Probe* p = probeOf(e);
  switch (opcode) {
    case effOpen: {
      char canDo[] = "sendVstMidiEvent";
      p->open = true;
      p->hostAnswersRight =
          ask(p, audioMasterVersion) == kVstVersion && ask(p, audioMasterPinConnected, 0) == 0 &&
          ask(p, audioMasterPinConnected, 1) == 0 && ask(p, audioMasterWantMidi) == 1 &&
          ask(p, audioMasterCanDo, 0, canDo) == 1;
      return 0;
    }
    case effClose:
      delete p;
      return 1;
    case effSetProgram:
      p->program = static_cast<VstInt32>(value);
      return 0;
    case effGetProgram:
      return p->program;
    case effGetProgramNameIndexed:
      if (index < 0 || index > 2) {
        return 0;
      }
      std::strcpy(static_cast<char*>(ptr), kProgramNames[index]);  // NOLINT: fits
      return 1;
    case effMainsChanged:
      p->on = value != 0;
      return 0;
    case effGetEffectName:
      std::strcpy(static_cast<char*>(ptr), "Host probe");  // NOLINT: fits the host's buffer
      return 1;
    case effGetParamName:
      std::strcpy(static_cast<char*>(ptr), index == 0 ? "Gain" : "Tone");  // NOLINT: fits
      return 0;
    case effProcessEvents: {
      const auto* events = static_cast<const VstEvents*>(ptr);
      for (VstInt32 i = 0; i < events->numEvents; ++i) {
        const auto* midi = reinterpret_cast<const VstMidiEvent*>(events->events[i]);  // NOLINT
        if (midi->type == kVstMidiType && (midi->midiData[0] & 0xf0) == 0xb0) {
          p->lastControlValue = static_cast<unsigned char>(midi->midiData[2]);
          p->host(e, audioMasterAutomate, 1, 0, nullptr,
                  static_cast<float>(p->lastControlValue) / 127.0f);
        }
      }
      return 1;
    }
    default:
      return 0;
  }
}

void processReplacing(AEffect* e, float** /*inputs*/, float** outputs, VstInt32 frames) {
  Probe* p = probeOf(e);
  const auto* time = reinterpret_cast<const VstTimeInfo*>(  // NOLINT: the ABI passes pointers
      p->host(e, audioMasterGetTime, 0, kVstPpqPosValid | kVstTempoValid, nullptr, 0.0f));
  const VstInt32 needed = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid;
  float right = -1.0f;
  if (!p->hostAnswersRight || !p->open || !p->on) {
    right = -2.0f;
  } else if (p->lastControlValue >= 0) {
    right = static_cast<float>(p->lastControlValue) / 1000.0f;
  } else if (time != nullptr && (time->flags & needed) == needed) {
    right = static_cast<float>(time->ppqPos);
  }
  const float left =
      time == nullptr ? -1.0f : static_cast<float>(time->samplePos + 1e6 * p->program);
  for (VstInt32 i = 0; i < frames; ++i) {
    outputs[0][i] = left;
    outputs[1][i] = right;
  }
}

float parameters[2] = {0.5f, 0.5f};
void setParameter(AEffect* /*e*/, VstInt32 index, float value) { parameters[index & 1] = value; }
float getParameter(AEffect* /*e*/, VstInt32 index) { return parameters[index & 1]; }

}  // namespace

#if defined(_WIN32)
#define EXPORTED extern "C" __declspec(dllexport)
#else
#define EXPORTED extern "C" __attribute__((visibility("default")))
#endif

EXPORTED AEffect* VSTPluginMain(audioMasterCallback host) {
  if (host == nullptr || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
    return nullptr;
  }
  auto* p = new Probe;
  p->host = host;
  AEffect& e = p->effect;
  e.magic = kEffectMagic;
  e.dispatcher = dispatcher;
  e.setParameter = setParameter;
  e.getParameter = getParameter;
  e.processReplacing = processReplacing;
  e.numPrograms = 3;
  e.numParams = 2;
  e.numInputs = 2;
  e.numOutputs = 2;
  e.flags = effFlagsCanReplacing;
  e.object = p;
  e.uniqueID = fourCharCode('P', 'r', 'o', 'b');
  e.version = 1;
  return &e;
}
