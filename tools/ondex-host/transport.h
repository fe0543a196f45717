// The song position the host reports: playing from zero at a fixed tempo in
// 4/4, advancing with the audio rendered.
#pragma once

#include "host/vst2.h"

class Transport {
 public:
  Transport(double sampleRate, double tempo);
  // The time info for the block about to be processed.
  VstTimeInfo* current();
  void advance(VstInt32 frames);
  double samplePosition() const { return position; }

 private:
  double sampleRate;
  double tempo;
  double position = 0.0;
  bool changed = true;  // the first block starts the transport
  VstTimeInfo info{};
};
