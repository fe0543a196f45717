// The signal path written out plainly, one channel after the other, every
// operation in the order of the design and no shortcut taken, with the
// engine's own sin and power (tested on their own against double precision).
#pragma once

#include <vector>

struct ReferenceSettings {
  float input = 0.5f, output = 0.5f, mix = 0.5f, dlyTime = 0.5f, feedback = 0.0f;
  float manVco = 0.5f, depth = 0.0f, waveform = 0.5f, rate = 0.0f;
  bool doubled = false, delayInverted = false, hiCut = false, feedbackInverted = false;
};

// Renders a freshly switched-on instance at 44.1 kHz with fixed settings.
void referenceRender(const ReferenceSettings& s, const std::vector<float>& inL,
                     const std::vector<float>& inR, std::vector<float>& outL,
                     std::vector<float>& outR);
