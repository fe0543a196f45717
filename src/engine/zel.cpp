#include "zel.h"

#include <cstring>
#include <string>
#include <new>

#include "../host/pluginentry.h"
#include "identity.h"

static_assert(std::char_traits<char>::length(kOndexProduct) == 63);
static_assert(std::char_traits<char>::length(kOndexEffectName) <= kVstMaxEffectNameLen);

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
  if (!hostIsUsable(audioMaster)) {
    return nullptr;
  }
  return new (std::nothrow) Zel(audioMaster);
}

Zel::Zel(audioMasterCallback audioMaster) : CPresetSystemEffect(audioMaster) {
  setNumInputs(2);
  setNumOutputs(2);
  setUniqueID(kOndexUniqueId);
  canProcessReplacing(true);
  selectProgram(0);
}

Zel::~Zel() = default;

void Zel::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  for (int channel = 0; channel < 2; ++channel) {
    for (VstInt32 i = 0; i < sampleFrames; ++i) {
      outputs[channel][i] = inputs[channel][i];
    }
  }
}

bool Zel::getEffectName(char* name) {
  std::strcpy(name, kOndexEffectName);  // NOLINT: fixed text within the host's 32 bytes
  return true;
}

bool Zel::getVendorString(char* text) {
  std::strcpy(text, kOndexVendor);  // NOLINT: fixed text within the host's 64 bytes
  return true;
}

bool Zel::getProductString(char* text) {
  std::strcpy(text, kOndexProduct);  // NOLINT: fixed text within the host's 64 bytes
  return true;
}
