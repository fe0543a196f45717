// The effect: a stereo delay whose memory is stepped by a variable clock.
#pragma once

#include "../presets/presetsystemeffect.h"

class Zel : public CPresetSystemEffect {
 public:
  explicit Zel(audioMasterCallback audioMaster);
  ~Zel() override;

  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
};
