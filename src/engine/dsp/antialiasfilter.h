// Anti-alias low-pass before the delay memory: two identical second-order
// Butterworth sections in cascade per channel, one coefficient set for all four.
#pragma once

#include "flush.h"

namespace dsp {

struct BiquadCoefficients {
  float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;

  // Bilinear-transform Butterworth low-pass at fc for the given rate.
  static BiquadCoefficients lowpass(float fc, float sampleRate);
};

class AntiAliasFilter {
 public:
  void setCoefficients(const BiquadCoefficients& c) { k = c; }
  const BiquadCoefficients& coefficients() const { return k; }
  void reset();

  // One stereo sample through both cascades; the stored outputs are flushed.
  void process(float& left, float& right) {
    left = runCascade(state[0], left);
    right = runCascade(state[1], right);
  }

 private:
  struct Section {
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  };
  struct Cascade {
    Section first, second;
  };

  float runSection(Section& s, float x) const {
    const float y = flushed(k.b0 * x + k.b1 * s.x1 + k.b2 * s.x2 - k.a1 * s.y1 - k.a2 * s.y2);
    s.x2 = s.x1;
    s.x1 = x;
    s.y2 = s.y1;
    s.y1 = y;
    return y;
  }
  float runCascade(Cascade& c, float x) const { return runSection(c.second, runSection(c.first, x)); }

  BiquadCoefficients k;
  Cascade state[2];
};

}  // namespace dsp
